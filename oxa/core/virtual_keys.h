#pragma once
// Qt key codes to the virtual-key codes that key messages carry.
#include "oxa/core/oxa_export.h"

namespace OXA {

// 0 for keys without a virtual-key code.
OXA_API unsigned QtKeyToVirtualKey(int qtKey);

}  // namespace OXA
