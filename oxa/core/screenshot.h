#pragma once
// Saving a window's content as a PNG (tests, and the --screenshot FILE
// option of programs built on oxa).
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

class MDialog;

// Renders the dialog's whole client area and writes it as PNG.
OXA_API bool SaveWindowScreenshot(MDialog& dialog, const CString& path);
// The FILE of a "--screenshot FILE" (or "--screenshot=FILE") argument, or
// an empty string.
OXA_API CString ScreenshotArgument(int argc, char** argv);

}  // namespace OXA
