#include "oxa/keyboard/keyboard_controls.h"

#include "oxa/core/control_factory.h"
#include "oxa/keyboard/battery_ctrl.h"
#include "oxa/keyboard/device_ctrl.h"
#include "oxa/keyboard/device_list.h"
#include "oxa/keyboard/keyboard_ctrl.h"

namespace OXA {
namespace {

// Classes that take the visible flag only (enabled 1).
template <typename T>
MControl* VisibleOnly(MObject* parent, unsigned id, CRect rect, const CString&, int visible, int)
{
    return new T(parent, id, rect, visible);
}

}  // namespace

void RegisterKeyboardControls()
{
    SetControlCreator(u"KeyboardCtrl"_qs, &VisibleOnly<KeyboardCtrl>);
    SetControlCreator(u"CDeviceList"_qs, &VisibleOnly<CDeviceList>);
    SetControlCreator(u"CDeviceCtrl"_qs, &VisibleOnly<CDeviceCtrl>);
    SetControlCreator(u"BatteryCtrl"_qs, &VisibleOnly<BatteryCtrl>);
}

}  // namespace OXA
