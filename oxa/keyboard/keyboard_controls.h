#pragma once
// Installs the constructors of the keyboard controls into the factories.
#include "oxa/core/oxa_export.h"

namespace OXA {

OXA_API void RegisterKeyboardControls();

}  // namespace OXA
