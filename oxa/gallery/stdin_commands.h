#pragma once
// Commands a driving test writes to the gallery's standard input, one per
// line:
//   shot FILE   save the window's surface as PNG now
//   grab FILE   save what the display shows (whole screen) now
//   text ID     print "text id=ID <text>" (edit text, or the chosen row of a
//               list or combo box)
//   quit        end the program (the --final and --grab-screen files are
//               written as usual)
// Each command is acknowledged with "done <command>" on standard output
// (or "failed <command>"). End of input stops the reading, nothing else.
#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;

namespace gallery {

class StdinCommands : public QObject {
public:
    using Handler = std::function<bool(const QString& command, const QString& argument)>;
    explicit StdinCommands(Handler handler);

private:
    void ReadAvailable();

    Handler m_handler;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_pending;
};

}  // namespace gallery
