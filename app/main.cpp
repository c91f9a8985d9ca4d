// Program entry of Varnet. For now it reads the software name and the
// keyboards it supports from the catalogue, says what it found, and ends.
#include <cstdio>
#include <cstring>

#include "device/catalogue.h"
#include "platform/program_folder.h"

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Varnet 0.1.0\n");
            return 0;
        }
    }
    const CString folder = ProgramFolder();
    Catalogue catalogue;
    if (!ReadCatalogue(folder + u"/config.xml"_qs, folder, catalogue)) {
        std::fprintf(stderr, "varnet: no device catalogue in %s\n", qPrintable(folder));
        return 1;
    }
    std::printf("%s %s: %zu keyboard model(s) known; the main window is not built yet.\n",
                qPrintable(catalogue.software.name), qPrintable(catalogue.software.version),
                catalogue.keyboards.size());
    return 0;
}
