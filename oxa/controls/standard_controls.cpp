#include "oxa/controls/standard_controls.h"

#include <mutex>

#include "oxa/controls/air_bladder.h"
#include "oxa/controls/circle_palette.h"
#include "oxa/controls/color_button.h"
#include "oxa/controls/color_palette.h"
#include "oxa/controls/color_select.h"
#include "oxa/controls/combo_box.h"
#include "oxa/controls/combo_box_list.h"
#include "oxa/controls/download_button.h"
#include "oxa/controls/edit.h"
#include "oxa/controls/edit_ex.h"
#include "oxa/controls/gif_picture.h"
#include "oxa/controls/help_button.h"
#include "oxa/controls/icon_button.h"
#include "oxa/controls/image_button.h"
#include "oxa/controls/level_ctrl.h"
#include "oxa/controls/list_box.h"
#include "oxa/controls/menu_item.h"
#include "oxa/controls/palette.h"
#include "oxa/controls/photo_frame.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/progress.h"
#include "oxa/controls/rich_edit.h"
#include "oxa/controls/select_button.h"
#include "oxa/controls/slider.h"
#include "oxa/controls/slider_picture.h"
#include "oxa/controls/spin_button.h"
#include "oxa/controls/switch_button.h"
#include "oxa/controls/tab_ctrl.h"
#include "oxa/controls/tab_layout.h"
#include "oxa/controls/text.h"
#include "oxa/controls/text_area.h"
#include "oxa/controls/text_button.h"
#include "oxa/controls/text_check_button.h"
#include "oxa/controls/timer_button.h"
#include "oxa/controls/upgrade_button.h"
#include "oxa/core/control_factory.h"

namespace OXA {
namespace {

// Classes that take a title, visible and enabled.
template <typename T>
MControl* WithTitle(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
{
    return new T(parent, id, rect, title, visible, enabled);
}

// Classes that take visible and enabled.
template <typename T>
MControl* Plain(MObject* parent, unsigned id, CRect rect, const CString&, int visible, int enabled)
{
    return new T(parent, id, rect, visible, enabled);
}

// Classes that take only the visible flag.
template <typename T>
MControl* VisibleOnly(MObject* parent, unsigned id, CRect rect, const CString&, int visible, int)
{
    return new T(parent, id, rect, visible);
}

MControl* MakeListBox(MObject* parent, unsigned id, CRect rect, const CString&, int visible, int)
{
    return new MListBox(parent, id, rect, visible);
}

MControl* MakeTabLayout(MObject* parent, unsigned id, CRect rect, const CString&, int visible, int)
{
    return new MTabLayout(parent, id, rect, visible);
}

MControl* MakeMenuItem(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int)
{
    return new MenuItem(parent, id, rect, title, visible);
}

MControl* MakeUpgradeButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int)
{
    return new UpgradeButton(parent, id, rect, title, visible);
}

MControl* MakeText(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int)
{
    return new MText(parent, id, rect, title, visible);
}

}  // namespace

void RegisterStandardControls()
{
    const struct {
        const char16_t* name;
        ControlCreator creator;
    } kCreators[] = {
        {u"MText", &MakeText},
        {u"MPicture", &Plain<MPicture>},
        {u"CGifPicture", &Plain<CGifPicture>},
        {u"CPhotoFrame", &Plain<CPhotoFrame>},
        {u"CSliderPicture", &Plain<CSliderPicture>},
        {u"MProgress", &Plain<MProgress>},
        {u"MSlider", &Plain<MSlider>},
        {u"MLevelCtrl", &Plain<MLevelCtrl>},
        {u"MButton", &WithTitle<MButton>},
        {u"CImageButton", &WithTitle<CImageButton>},
        {u"CTextButton", &WithTitle<CTextButton>},
        {u"CCheckButton", &WithTitle<CCheckButton>},
        {u"CRadioButton", &WithTitle<CRadioButton>},
        {u"CSelectButton", &WithTitle<CSelectButton>},
        {u"CColorButton", &Plain<CColorButton>},
        {u"CSwitchButton", &Plain<CSwitchButton>},
        {u"CSpinButton", &Plain<CSpinButton>},
        {u"MListBox", &MakeListBox},
        {u"MTabCtrl", &Plain<MTabCtrl>},
        {u"MComboBox", &Plain<MComboBox>},
        {u"CComboBoxList", &Plain<CComboBoxList>},
        {u"MenuItem", &MakeMenuItem},
        {u"CHelpButton", &WithTitle<CHelpButton>},
        {u"MEdit", &WithTitle<MEdit>},
        {u"UpgradeButton", &MakeUpgradeButton},
        {u"CTimerButton", &WithTitle<CTimerButton>},
        {u"CIconButton", &WithTitle<CIconButton>},
        {u"TextCheckButton", &WithTitle<TextCheckButton>},
        {u"DownloadButton", &WithTitle<DownloadButton>},
        {u"MTabLayout", &MakeTabLayout},
        {u"MPalette", &VisibleOnly<MPalette>},
        {u"CColorPalette", &VisibleOnly<CColorPalette>},
        {u"CColorSelect", &VisibleOnly<CColorSelect>},
        {u"CirclePalette", &VisibleOnly<CirclePalette>},
        {u"MRichEdit", &WithTitle<MRichEdit>},
        {u"MEditEx", &WithTitle<MEditEx>},
        {u"CTextArea", &WithTitle<CTextArea>},
    };
    for (const auto& c : kCreators)
        SetControlCreator(QString::fromUtf16(c.name), c.creator);
    // The balloon that SetAirBladderMsg/ShowAirBladder of every window use;
    // installed once, so a handler the program sets later stays in place.
    static std::once_flag balloon;
    std::call_once(balloon, [] { MAirBladder::Install(); });
}

}  // namespace OXA
