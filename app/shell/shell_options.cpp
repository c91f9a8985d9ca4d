#include "app/shell/shell_options.h"

namespace {

constexpr int kShowHidden = 0;
constexpr int kShowNormal = 5;

}  // namespace

int ShowModeFromArguments(const QStringList& arguments)
{
    // The whole command line counts, as one text: "-hide", "/hide",
    // "--hidden" and "autohide" all start hidden.
    return arguments.join(u' ').contains(u"hide"_qs) ? kShowHidden : kShowNormal;
}

ShellOptions ParseShellOptions(const QStringList& arguments)
{
    ShellOptions o;
    o.showMode = ShowModeFromArguments(arguments);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const CString& a = arguments[i];
        const auto value = [&](const CString& option, CString& out) {
            if (a.startsWith(option + u'=')) {
                out = a.mid(option.size() + 1);
                return true;
            }
            if (a != option) return false;
            if (i + 1 < arguments.size()) {
                out = arguments[++i];
            } else {
                o.problems << option + u" needs a value"_qs;
            }
            return true;
        };
        CString text;
        if (a == u"--version"_qs) {
            o.version = true;
        } else if (a == u"--simulate"_qs) {
            o.simulate = true;
        } else if (a.startsWith(u"--simulate="_qs)) {
            o.simulate = true;
            o.simulateSpec = a.mid(11);
        } else if (value(u"--sim-trace"_qs, text)) {
            o.simTrace = text;
            o.simulate = !text.isEmpty() || o.simulate;
        } else if (a == u"--virtual-keyboard"_qs) {
            o.virtualKeyboard = true;
        } else if (value(u"--screenshot"_qs, text)) {
            o.screenshot = text;
        } else if (value(u"--screenshots"_qs, text)) {
            o.screenshotFolder = text;
        } else if (value(u"--exit-after"_qs, text)) {
            bool ok = false;
            const int ms = text.toInt(&ok);
            if (ok && ms >= 0)
                o.exitAfterMs = ms;
            else if (!text.isEmpty())
                o.problems << u"--exit-after needs a number of milliseconds, not \""_qs + text + u'"';
        }
    }
    if (o.virtualKeyboard && !o.simulate) {
        o.virtualKeyboard = false;
        o.problems << u"--virtual-keyboard shows the simulated keyboard: it needs --simulate"_qs;
    }
    return o;
}
