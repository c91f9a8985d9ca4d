#pragma once
#include "oxa/core/oxa_export.h"

namespace OXA {
// Version of the oxa library, for the program's about text and diagnostics.
OXA_API const char* LibraryVersion();
}  // namespace OXA
