#include "platform/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#include <unistd.h>

#include "platform/user_folders.h"

namespace {

const QByteArray kShowRequest = "show\n";
const QByteArray kShowAnswer = "ok\n";
// A request line is short; a peer that sends more, or nothing for this
// long, is dropped.
constexpr qint64 kMaxRequest = 64;
constexpr int kIdleClientMs = 5000;

}  // namespace

SingleInstance::SingleInstance(CString serverPath) : m_path(std::move(serverPath)) {}

SingleInstance::~SingleInstance()
{
    if (m_server) m_server->close();  // also removes the socket file
}

CString SingleInstance::ServerPathFor(const CString& softwareName)
{
    const CString name = FileNameFromSoftwareName(softwareName);
    const CString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return UserRuntimeFolder() + u'/' + name + u".instance"_qs;
    // The shared temporary folder: the user id keeps users apart.
    return QDir::cleanPath(QDir::tempPath()) + u'/' + name + u'-' + QString::number(getuid()) +
           u".instance"_qs;
}

SingleInstance::Result SingleInstance::Claim(int timeoutMs)
{
    QLockFile lock(m_path + u".lock"_qs);
    // When the lock cannot be had the claim goes on unordered; a lock file
    // left by a crashed start is taken over (stale) by QLockFile.
    const bool locked = lock.tryLock(timeoutMs);
    const Peer peer = AskRunningInstance(timeoutMs);
    if (peer == Peer::kAnswered) return Result::kOtherRunning;
    const bool listening = Listen(peer == Peer::kStale);
    if (locked) lock.unlock();
    return listening ? Result::kFirst : Result::kUnavailable;
}

SingleInstance::Peer SingleInstance::AskRunningInstance(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_path);
    if (!socket.waitForConnected(timeoutMs)) {
        switch (socket.error()) {
        case QLocalSocket::ServerNotFoundError: return Peer::kNone;
        // A socket file nobody listens on: left by an instance that crashed.
        case QLocalSocket::ConnectionRefusedError: return Peer::kStale;
        // An instance that does not accept in time is there all the same.
        case QLocalSocket::SocketTimeoutError: return Peer::kAnswered;
        default: return Peer::kUnreachable;
        }
    }
    socket.write(kShowRequest);
    socket.waitForBytesWritten(timeoutMs);
    // The answer says the request was handled; an instance that does not
    // answer in time still runs, so this start ends all the same.
    while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) {
    }
    socket.disconnectFromServer();
    return Peer::kAnswered;
}

bool SingleInstance::Listen(bool removeStaleSocket)
{
    if (removeStaleSocket) QLocalServer::removeServer(m_path);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_path)) {
        m_error = server->errorString();
        return false;
    }
    QObject::connect(server.get(), &QLocalServer::newConnection, server.get(), [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) Serve(socket);
    });
    m_server = std::move(server);
    return true;
}

void SingleInstance::Serve(QLocalSocket* socket)
{
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    const auto drop = [socket] {
        socket->abort();
        socket->deleteLater();
    };
    QTimer::singleShot(kIdleClientMs, socket, drop);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, drop] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxRequest) drop();
            return;
        }
        const QByteArray line = socket->readLine(kMaxRequest + 1);
        if (line != kShowRequest) {
            drop();
            return;
        }
        if (m_onActivate) m_onActivate();
        socket->write(kShowAnswer);
        socket->flush();
        socket->disconnectFromServer();
    });
}
