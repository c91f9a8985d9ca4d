#include "sim/sim_control_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <cstring>

#include "sim/sim_control.h"

namespace {

constexpr size_t kMaxLine = 4096;
constexpr int kClientTimeoutMs = 2000;

bool Address(const std::string& path, sockaddr_un& a)
{
    std::memset(&a, 0, sizeof a);
    a.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof a.sun_path) return false;
    std::memcpy(a.sun_path, path.c_str(), path.size());
    return true;
}

// Reads until a newline, the end of the stream, the size limit or the time-out.
std::string ReadLine(int fd, int timeoutMs)
{
    std::string line;
    char buffer[512];
    while (line.size() < kMaxLine) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) break;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        line.append(buffer, size_t(n));
        if (line.find('\n') != std::string::npos) break;
    }
    const size_t end = line.find('\n');
    if (end != std::string::npos) line.resize(end);
    return line;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

}  // namespace

SimControlServer::SimControlServer(std::shared_ptr<SimBackend> sim) : m_sim(std::move(sim)) {}

SimControlServer::~SimControlServer()
{
    Stop();
}

bool SimControlServer::Start(const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        if (m_listen >= 0) close(m_listen);
        m_listen = -1;
        return false;
    };
    if (m_thread.joinable()) return fail("already started");
    sockaddr_un a;
    if (!Address(path, a)) return fail("socket path too long or empty: " + path);
    m_listen = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listen < 0) return fail(std::string("socket: ") + std::strerror(errno));
    unlink(path.c_str());
    if (bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a) < 0)
        return fail("bind " + path + ": " + std::strerror(errno));
    if (listen(m_listen, 8) < 0) return fail(std::string("listen: ") + std::strerror(errno));
    m_stopFd = eventfd(0, EFD_CLOEXEC);
    if (m_stopFd < 0) return fail(std::string("eventfd: ") + std::strerror(errno));
    m_path = path;
    m_thread = std::thread([this] { Run(); });
    return true;
}

void SimControlServer::Stop()
{
    if (!m_thread.joinable()) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_stopFd, &one, sizeof one);
    m_thread.join();
    close(m_stopFd);
    close(m_listen);
    m_stopFd = m_listen = -1;
    unlink(m_path.c_str());
}

void SimControlServer::Run()
{
    pollfd fds[2] = {{m_listen, POLLIN, 0}, {m_stopFd, POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents) break;
        if (!(fds[0].revents & POLLIN)) continue;
        const int client = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        Serve(client);
        close(client);
    }
}

void SimControlServer::Serve(int client)
{
    const std::string line = ReadLine(client, kClientTimeoutMs);
    const QStringList words = QString::fromUtf8(line.c_str()).split(u' ', Qt::SkipEmptyParts);
    std::string reply;
    if (words.size() == 1 && words[0] == u"quit") {
        m_quit.store(true);
        reply = "ok\n";
    } else {
        reply = ExecuteSimCommand(*m_sim, words);
    }
    WriteAll(client, reply);
}

bool SendSimCommand(const std::string& path, const std::string& line, std::string& reply, int timeoutMs)
{
    reply.clear();
    sockaddr_un a;
    if (!Address(path, a)) {
        reply = "error: socket path too long or empty\n";
        return false;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        reply = std::string("error: socket: ") + std::strerror(errno) + "\n";
        return false;
    }
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) < 0) {
        reply = "error: no simulator listening at " + path + " (" + std::strerror(errno) + ")\n";
        close(fd);
        return false;
    }
    if (!WriteAll(fd, line + "\n")) {
        reply = "error: the simulator closed the connection\n";
        close(fd);
        return false;
    }
    shutdown(fd, SHUT_WR);
    char buffer[4096];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) break;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        reply.append(buffer, size_t(n));
    }
    close(fd);
    if (reply.empty()) {
        reply = "error: no reply from the simulator\n";
        return false;
    }
    return true;
}
