#pragma once
// Checks a layout file the way its author needs: everything the program would
// read differently from what was meant, or would refuse to use, is reported
// with its line.
#include "device/layout_file.h"

struct LayoutCheck {
    bool loaded = false;   // the file was read and is well-formed
    LayoutFile layout;     // what the program reads from it
    LayoutIssues issues;   // sorted by line; empty when the layout is sound
};

LayoutCheck CheckLayout(const CString& path);
