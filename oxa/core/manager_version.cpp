#include "oxa/core/manager_version.h"

namespace OXA {
const char* LibraryVersion() { return "0.1.0"; }
}  // namespace OXA
