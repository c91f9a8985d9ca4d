#include "oxa/gallery/stdin_commands.h"

#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace gallery {

namespace {
// A line longer than this is dropped rather than kept growing.
constexpr qsizetype kMaxLine = 4096;
}  // namespace

StdinCommands::StdinCommands(Handler handler) : m_handler(std::move(handler))
{
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    QObject::connect(m_notifier, &QSocketNotifier::activated, this, [this] { ReadAvailable(); });
}

void StdinCommands::ReadAvailable()
{
    char buffer[512];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        // End of input (or an error): stop watching, the program goes on.
        m_notifier->setEnabled(false);
        return;
    }
    m_pending.append(buffer, qsizetype(n));
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_pending.left(end)).trimmed();
        m_pending.remove(0, end + 1);
        if (line.isEmpty())
            continue;
        const qsizetype space = line.indexOf(u' ');
        const QString command = space < 0 ? line : line.left(space);
        const QString argument = space < 0 ? QString() : line.mid(space + 1).trimmed();
        const bool ok = m_handler(command, argument);
        std::printf("%s %s\n", ok ? "done" : "failed", command.toUtf8().constData());
        std::fflush(stdout);
    }
    if (m_pending.size() > kMaxLine)
        m_pending.clear();
}

}  // namespace gallery
