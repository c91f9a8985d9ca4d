#pragma once
// Select button: a radio button grouped under its own class name.
#include "oxa/controls/radio_button.h"

namespace OXA {

class OXA_API CSelectButton : public CRadioButton {
public:
    using CRadioButton::CRadioButton;
    const char16_t* GetClassNameW() const override;
};

}  // namespace OXA
