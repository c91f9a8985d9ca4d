#include "oxa/core/screenshot.h"

#include <cstring>

#include "oxa/core/dialog.h"

namespace OXA {

bool SaveWindowScreenshot(MDialog& dialog, const CString& path)
{
    if (path.isEmpty() || !dialog.GetSafeHwnd())
        return false;
    return dialog.SaveScreenshot(path);
}

CString ScreenshotArgument(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!argv[i])
            continue;
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc && argv[i + 1])
            return CString::fromLocal8Bit(argv[i + 1]);
        if (std::strncmp(argv[i], "--screenshot=", 13) == 0)
            return CString::fromLocal8Bit(argv[i] + 13);
    }
    return CString();
}

}  // namespace OXA
