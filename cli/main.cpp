// varnetctl: the command-line tool. Inspects the installation data and, in
// later versions, the devices and the simulated keyboard.
#include <cstring>

#include "cli/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const CommandLine&);
    const char* help;
};

const Command kCommands[] = {
    {"catalogue", RunCatalogueCommand, "print the device catalogue (config.xml)"},
    {"layout", RunLayoutCommand, "print and check layout files: [NAME|FILE ...]"},
    {"devices", RunDevicesCommand, "list HID interfaces and their classification [--simulate[=MODEL:MODES]]"},
    {"send", RunSendCommand, "send a device command: send COMMAND [NAME=VALUE ...] (send help)"},
    {"sim", RunSimCommand, "drive a simulated keyboard: sim COMMAND ... | sim serve (sim help)"},
};

void Usage()
{
    CString text = u"usage: varnetctl <command> [--json] [--dir PROGRAM_FOLDER] [--simulate[=MODEL:MODES]]\n"
                   "                 [--sim-trace FILE] [--sim-socket PATH] [arguments]\n\ncommands:\n"_qs;
    for (const Command& c : kCommands)
        text += CString(u"  %1  %2\n"_qs).arg(QString::fromLatin1(c.name).leftJustified(10), QString::fromLatin1(c.help));
    PrintError(text);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        Usage();
        return argc < 2 ? 2 : 0;
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        const CommandLine line = ParseCommandLine(argc, argv, 2);
        if (!line.error.isEmpty()) {
            PrintError(u"varnetctl: "_qs + line.error + u"\n"_qs);
            return 2;
        }
        return c.run(line);
    }
    PrintError(u"varnetctl: unknown command "_qs + QString::fromLocal8Bit(argv[1]) + u"\n"_qs);
    Usage();
    return 2;
}
