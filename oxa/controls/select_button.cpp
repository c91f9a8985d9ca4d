#include "oxa/controls/select_button.h"

namespace OXA {

const char16_t* CSelectButton::GetClassNameW() const { return u"CSelectButton"; }

}  // namespace OXA
