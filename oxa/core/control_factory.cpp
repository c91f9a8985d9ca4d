#include "oxa/core/control_factory.h"

#include <QStringView>
#include <map>
#include <mutex>

#include "oxa/controls/standard_controls.h"
#include "oxa/core/area.h"
#include "oxa/keyboard/keyboard_controls.h"

namespace OXA {
namespace {

// The names each factory tries, in order.
const char16_t* const kDialogNames[] = {
    u"CArea",         u"MText",        u"MPicture",     u"CPhotoFrame",  u"CSliderPicture", u"CGifPicture",
    u"MProgress",     u"MSlider",      u"MLevelCtrl",   u"MButton",      u"CImageButton",   u"CTextButton",
    u"CCheckButton",  u"CRadioButton", u"CSelectButton", u"CColorButton", u"CSpinButton",   u"CSwitchButton",
    u"CIconButton",   u"CTimerButton", u"CHelpButton",  u"MEdit",        u"MRichEdit",      u"MEditEx",
    u"MComboBox",     u"MTabCtrl",     u"MTabLayout",   u"MListBox",     u"MPalette",       u"CColorPalette",
    u"CColorSelect",  u"CirclePalette", u"CComboBoxList", u"MenuItem",   u"KeyboardCtrl",   u"CDeviceCtrl",
    u"TextCheckButton", u"CTextArea",  u"BatteryCtrl",
};

const char16_t* const kPanelNames[] = {
    u"CArea",         u"MText",          u"MPicture",      u"CPhotoFrame",    u"CSliderPicture", u"CGifPicture",
    u"MProgress",     u"MSlider",        u"MLevelCtrl",    u"MButton",        u"CImageButton",   u"CTextButton",
    u"CCheckButton",  u"CRadioButton",   u"CSelectButton", u"CColorButton",   u"CSpinButton",    u"CSwitchButton",
    u"CIconButton",   u"CTimerButton",   u"CHelpButton",   u"MEdit",          u"MRichEdit",      u"MEditEx",
    u"MComboBox",     u"MTabCtrl",       u"MTabLayout",    u"MListBox",       u"MPalette",       u"CColorPalette",
    u"CColorSelect",  u"CirclePalette",  u"MenuItem",      u"KeyboardCtrl",   u"KeyFuncControl", u"CRecordList",
    u"CustomLightMode", u"CDeviceCtrl",  u"CDeviceList",   u"UpgradeButton",  u"DownloadButton", u"KeyLayerButton",
    u"BatteryCtrl",   u"LCDViewList",    u"ImageView",     u"ImageViewList",  u"ColorView",      u"LCDPalette",
    u"LCDPalette2",   u"LCDPalette3",
};

MControl* MakeArea(MObject* parent, unsigned id, CRect rect, const CString&, int visible, int)
{
    return new CArea(parent, id, rect, visible, 1);
}

std::mutex& CreatorMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<CString, ControlCreator>& Creators()
{
    static std::map<CString, ControlCreator> creators{{u"CArea"_qs, &MakeArea}};
    return creators;
}

template <size_t N>
int IndexIn(const char16_t* const (&names)[N], const CString& className)
{
    if (className.isEmpty())
        return -1;
    for (size_t i = 0; i < N; ++i)
        if (QStringView(names[i]) == QStringView(className))
            return int(i);
    return -1;
}

MControl* Create(int index, const CString& className, MObject* parent, unsigned id, CRect rect, const CString& title,
                 int visible, int enabled)
{
    if (index < 0)
        return nullptr;
    // The library's own controls are installed once, before the first lookup.
    static const bool standardInstalled = (RegisterStandardControls(), true);
    (void)standardInstalled;
    static const bool keyboardInstalled = (RegisterKeyboardControls(), true);
    (void)keyboardInstalled;
    ControlCreator creator = nullptr;
    {
        std::lock_guard<std::mutex> lock(CreatorMutex());
        auto it = Creators().find(className);
        if (it != Creators().end())
            creator = it->second;
    }
    return creator ? creator(parent, id, rect, title, visible, enabled) : nullptr;
}

}  // namespace

int DialogFactoryIndex(const CString& className) { return IndexIn(kDialogNames, className); }
int PanelFactoryIndex(const CString& className) { return IndexIn(kPanelNames, className); }

MControl* CreateDialogControl(const CString& className, MObject* parent, unsigned id, CRect rect, const CString& title,
                              int visible, int enabled)
{
    return Create(DialogFactoryIndex(className), className, parent, id, rect, title, visible, enabled);
}

MControl* CreatePanelControl(const CString& className, MObject* parent, unsigned id, CRect rect, const CString& title,
                             int visible, int enabled)
{
    return Create(PanelFactoryIndex(className), className, parent, id, rect, title, visible, enabled);
}

bool SetControlCreator(const CString& className, ControlCreator creator)
{
    if (DialogFactoryIndex(className) < 0 && PanelFactoryIndex(className) < 0)
        return false;
    std::lock_guard<std::mutex> lock(CreatorMutex());
    Creators()[className] = creator;
    return true;
}

}  // namespace OXA
