#pragma once
// One running instance per user and software name. The first instance
// listens on a local socket named after the software; a later start
// connects to it, asks it to show itself and ends.
//
// Needs a QCoreApplication (the listening side serves requests from its
// event loop, on the thread that called Claim).
#include <functional>
#include <memory>

#include "platform/cstring.h"

class QLocalServer;
class QLocalSocket;

class SingleInstance {
public:
    enum class Result {
        kFirst,         // this process is the instance; requests will arrive
        kOtherRunning,  // another instance runs and was asked to show itself
        kUnavailable,   // no socket could be set up: run without the rule
    };

    explicit SingleInstance(CString serverPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // "$XDG_RUNTIME_DIR/<name>.instance" when that folder exists, else
    // "<temp>/<name>-<uid>.instance".
    static CString ServerPathFor(const CString& softwareName);

    // Becomes the instance, or hands over to the one that runs. Two starts
    // at the same moment are ordered by a lock file beside the socket, so
    // exactly one of them becomes the instance.
    Result Claim(int timeoutMs = 3000);

    // Called on the owning thread each time a later start asks this
    // instance to show itself.
    void SetActivationHandler(std::function<void()> handler) { m_onActivate = std::move(handler); }

    const CString& ServerPath() const { return m_path; }
    CString Error() const { return m_error; }

private:
    enum class Peer { kNone, kStale, kUnreachable, kAnswered };
    Peer AskRunningInstance(int timeoutMs);
    bool Listen(bool removeStaleSocket);
    void Serve(QLocalSocket* socket);

    CString m_path;
    CString m_error;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_onActivate;
};
