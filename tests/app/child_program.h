#pragma once
// A program started by a test, its standard error collected in a file.
//
// Started with posix_spawn rather than QProcess: QProcess starts children
// that share this process's memory until they exec, which ThreadSanitizer
// cannot follow; it then reports races in later, properly locked code of
// the test process.
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

namespace apptest {

class ChildProgram {
public:
    ChildProgram() = default;
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;
    ~ChildProgram()
    {
        if (Running()) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    bool Start(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
    {
        std::vector<std::string> args{QFile::encodeName(program).toStdString()};
        for (const QString& a : arguments) args.push_back(QFile::encodeName(a).toStdString());
        std::vector<std::string> env;
        for (const QString& e : environment.toStringList()) env.push_back(e.toLocal8Bit().toStdString());
        std::vector<char*> argv, envp;
        for (std::string& s : args) argv.push_back(s.data());
        for (std::string& s : env) envp.push_back(s.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);

        const QByteArray errPath = QFile::encodeName(ErrorPath());
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int r = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (r != 0) m_pid = -1;
        return m_pid > 0;
    }

    bool Running()
    {
        if (m_pid <= 0 || m_ended) return false;
        if (::waitpid(m_pid, &m_status, WNOHANG) == m_pid) m_ended = true;
        return !m_ended;
    }
    // True when the program ended within the time.
    bool WaitForEnd(int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (Running()) {
            if (timer.elapsed() > timeoutMs) return false;
            QThread::msleep(10);
        }
        return m_ended;
    }
    // Waits until standard error holds `text` (false when the program ends
    // first or the time runs out).
    bool WaitForError(const QString& text, int count = 1, int timeoutMs = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        while (Error().count(text) < count) {
            if (timer.elapsed() > timeoutMs || !Running()) return Error().count(text) >= count;
            QThread::msleep(10);
        }
        return true;
    }
    void Signal(int signal)
    {
        if (Running()) ::kill(m_pid, signal);
    }

    bool ExitedNormally() const { return m_ended && WIFEXITED(m_status); }
    int ExitCode() const { return ExitedNormally() ? WEXITSTATUS(m_status) : -1; }
    QString Error() const
    {
        QFile f(ErrorPath());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    QString ErrorPath() const { return m_dir.path() + u"/stderr"_qs; }

    QTemporaryDir m_dir;
    pid_t m_pid = -1;
    int m_status = 0;
    bool m_ended = false;
};

}  // namespace apptest
