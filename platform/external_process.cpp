#include "platform/external_process.h"

#include <QFile>

#include <cerrno>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Reaps the process when it is a child of ours; true when it has ended.
bool ReapIfChild(pid_t pid)
{
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    return r == pid;
}

bool Ended(pid_t pid)
{
    if (ReapIfChild(pid)) return true;
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// The wait without a process descriptor (kernels before 5.3): polls.
ProcessWait WaitByPolling(pid_t pid, const std::function<bool()>& keepWaiting, int sliceMs)
{
    while (!Ended(pid)) {
        if (!keepWaiting()) return ProcessWait::kInterrupted;
        ::usleep(static_cast<useconds_t>(sliceMs) * 1000);
    }
    return ProcessWait::kEnded;
}

}  // namespace

pid_t StartProgram(const CString& program, const QStringList& arguments)
{
    std::vector<std::string> storage;
    storage.push_back(QFile::encodeName(program).toStdString());
    for (const QString& a : arguments) storage.push_back(QFile::encodeName(a).toStdString());
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

ProcessWait WaitForProcessEnd(pid_t pid, const std::function<bool()>& keepWaiting, int sliceMs)
{
    if (pid <= 0) return ProcessWait::kCannotOpen;
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) {
        if (errno == ESRCH || errno == EINVAL) return ProcessWait::kCannotOpen;
        if (::kill(pid, 0) != 0 && errno == ESRCH) return ProcessWait::kCannotOpen;
        return WaitByPolling(pid, keepWaiting, sliceMs);
    }
    ProcessWait result = ProcessWait::kEnded;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int n = ::poll(&p, 1, sliceMs);
        if (n > 0) break;  // readable: the process has ended
        if (n < 0 && errno != EINTR) break;
        if (!keepWaiting()) {
            result = ProcessWait::kInterrupted;
            break;
        }
    }
    ::close(fd);
    if (result == ProcessWait::kEnded) ReapIfChild(pid);
    return result;
}
