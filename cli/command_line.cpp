#include "cli/command_line.h"

#include <cstdio>

#include "platform/program_folder.h"

CommandLine ParseCommandLine(int argc, char** argv, int first)
{
    CommandLine line;
    for (int i = first; i < argc; ++i) {
        const CString arg = CString::fromLocal8Bit(argv[i]);
        if (arg == u"--json") {
            line.json = true;
        } else if (arg == u"--dir") {
            if (i + 1 >= argc) {
                line.error = u"--dir needs a folder"_qs;
                return line;
            }
            line.programFolder = CString::fromLocal8Bit(argv[++i]);
        } else if (arg == u"--simulate" || arg.startsWith(u"--simulate="_qs)) {
            line.simulate = true;
            const int equals = arg.indexOf(u'=');
            line.simulateChoice = equals < 0 ? CString() : arg.mid(equals + 1);
        } else if (arg == u"--sim-trace" || arg == u"--sim-socket") {
            if (i + 1 >= argc) {
                line.error = arg + u" needs a file"_qs;
                return line;
            }
            (arg == u"--sim-trace" ? line.simTrace : line.simSocket) = CString::fromLocal8Bit(argv[++i]);
            if (arg == u"--sim-trace") line.simulate = true;
        } else if (arg.startsWith(u"--")) {
            line.error = u"unknown option "_qs + arg;
            return line;
        } else {
            line.words << arg;
        }
    }
    if (line.programFolder.isEmpty()) line.programFolder = ProgramFolder();
    return line;
}

void Print(const CString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void PrintError(const CString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}
