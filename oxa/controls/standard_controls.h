#pragma once
// Installs the constructors of the standard controls into the factories.
#include "oxa/core/oxa_export.h"

namespace OXA {

OXA_API void RegisterStandardControls();

}  // namespace OXA
