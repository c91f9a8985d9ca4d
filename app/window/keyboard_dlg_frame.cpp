// The main window's frame and home page: the controls, their pictures and
// texts, and where they sit for a client size.
#include "app/device_link_side.h"
#include "app/shell/language_texts.h"
#include "app/window/control_setup.h"
#include "app/window/keyboard_dlg.h"
#include "app/window/main_window_ids.h"
#include "app/window/page_table.h"
#include "oxa/controls/gif_picture.h"
#include "oxa/controls/image_button.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/tab_ctrl.h"
#include "oxa/controls/tab_layout.h"
#include "oxa/controls/text.h"
#include "oxa/core/area.h"
#include "oxa/keyboard/battery_ctrl.h"
#include "oxa/keyboard/device_ctrl.h"
#include "oxa/keyboard/device_list.h"
#include "platform/settings_file.h"

using namespace OXA;

namespace {

constexpr ARGB kWhite = 0xFFFFFFFFu;
constexpr ARGB kGrey = 0xFFB4B4B4u;
constexpr ARGB kTabText = 0xFFADADADu;

// Where the keyboard picture sits on the home page: the band between the
// no-keyboard text and the device list.
CRect DevicePictureRect(int w, int h)
{
    const int g = w / 2;
    return CRect(g - 300, 215, g + 300, std::max(216, h - 170));
}

}  // namespace

void KeyboardDlg::InitUI(CRect client)
{
    CreateFrame(client);
    CreateHomePage(client);
    for (auto& page : m_pages) {
        const int position = Pages::PositionOf(page->PageId());
        if (position < 0) continue;
        if (MTabLayout* container = m_containers[size_t(position)]) page->Create(*this, *container);
    }
    UISize(client);
}

void KeyboardDlg::CreateFrame(CRect client)
{
    using namespace MainId;
    m_background = static_cast<MPicture*>(CreateControl(u"MPicture"_qs, kBackground, client, CString()));
    m_background->SetImage(u"main_bkg.png"_qs, 1);
    m_background->SetRresponse(0);

    m_animated = static_cast<CGifPicture*>(CreateControl(u"CGifPicture"_qs, kAnimatedBackground, client, CString()));
    m_animated->SetImage(u"main_bkg.gif"_qs, 1);
    m_animated->SetRresponse(0);
    m_animated->AddMTimer();
    m_animated->SetRunState(1, 0);

    for (unsigned id : {kFrameLeft, kFrameRight, kFrameTop, kFrameBottom}) {
        auto* line = static_cast<CArea*>(CreateArea(u"CArea"_qs, id, CRect(), CString()));
        line->SetTransparent(50, 50, RGB(0xC8, 0xC8, 0xC8));
    }
    for (unsigned id : {kCaptionPlateLeft, kCaptionPlateRight}) {
        auto* plate = static_cast<CArea*>(CreateArea(u"CArea"_qs, id, CRect(), CString()));
        plate->SetTransparent(30, 30, RGB(0x28, 0x28, 0x28));
    }

    m_logo = static_cast<MPicture*>(CreateControl(u"MPicture"_qs, kLogo, CRect(), CString()));
    m_logo->SetImage(u"logo/logo.png"_qs, 1);
    m_logo->SetRresponse(0);

    m_caption = static_cast<MText*>(CreateControl(u"MText"_qs, kCaption, CRect(), GetText(1, u"CAPTION"_qs)));
    m_caption->SetTextColor(kWhite);
    m_caption->SetAlignment(1, 1);
    SetFontSize(m_caption, 20, 1);
    m_caption->SetRresponse(0);

    m_pageTitle = static_cast<MText*>(CreateControl(u"MText"_qs, kPageTitle, CRect(), CString()));
    m_pageTitle->SetTextColor(kWhite);
    m_pageTitle->SetAlignment(0, 1);
    SetFontSize(m_pageTitle, 20);
    m_pageTitle->SetRresponse(0);

    m_pageIcon = static_cast<MPicture*>(CreateControl(u"MPicture"_qs, kPageIcon, CRect(), CString()));
    m_pageIcon->SetImage(u"logo/icon_keyboard.png"_qs, 1);
    m_pageIcon->SetRresponse(0);

    auto* close = static_cast<CImageButton*>(CreateControl(u"CImageButton"_qs, kClose, CRect(), CString()));
    close->SetImage(u"main_sysbtn_close.png"_qs, 4);
    SetCloseTooltip();
    auto* minimise = static_cast<CImageButton*>(CreateControl(u"CImageButton"_qs, kMinimise, CRect(), CString()));
    minimise->SetImage(u"main_sysbtn_min.png"_qs, 4);
    auto* website = static_cast<CImageButton*>(CreateControl(u"CImageButton"_qs, kWebsite, CRect(), CString()));
    website->SetImage(u"main_sysbtn_website.png"_qs, 4);
    website->SetVisible(m_device.GetCatalogue().software.website.isEmpty() ? 0 : 1);

    m_battery = static_cast<BatteryCtrl*>(CreateControl(u"BatteryCtrl"_qs, kBattery, CRect(), CString()));
    if (m_battery) {
        m_battery->SetImage(u"icon/icon_battery_bkg.png"_qs, 1);
        m_battery->SetBatteryIcon(u"icon/icon_batteryvalue.png"_qs, u"icon/icon_charge.png"_qs);
        m_battery->SetVisible(0);
    }
    m_modePicture = static_cast<MPicture*>(CreateControl(u"MPicture"_qs, kModePicture, CRect(), CString()));
    m_modePicture->SetImage(u"icon/usb_mode.png"_qs, 1);
    m_modePicture->SetRresponse(0);
    m_modePicture->SetVisible(0);

    for (int position = 0; position < Pages::kCount; ++position) {
        const unsigned id = Pages::At(position).container;
        auto* container = new MTabLayout(this, id, CRect(), position == 0 ? 1 : 0);
        m_manager.AddControl(container);
        container->SetManager(&m_manager);
        m_containers[size_t(position)] = container;
    }

    m_tabs = static_cast<MTabCtrl*>(CreateControl(u"MTabCtrl"_qs, kTabs, CRect(), CString(), 0));
    m_tabs->SetTabType(TAB_TYPE_VERTICAL);
    m_tabs->SetTabCtrlWidth(60);
    m_tabs->SetTabCtrlHeight(60);
    m_tabs->SetTextColor(kTabText);
    // The tabs are icons only; the caption bar names the page shown.
    for (int position = 0; position < Pages::kCount; ++position)
        m_tabs->InsertItem(unsigned(position), CString(), QString::fromUtf16(Pages::At(position).tabIcon),
                           m_containers[size_t(position)], 4);
    m_tabs->SetSelectItem(0);
}

void KeyboardDlg::CreateHomePage(CRect client)
{
    using namespace MainId;
    MTabLayout* home = m_containers[0];
    const SoftwareInfo& software = m_device.GetCatalogue().software;

    m_devicePicture = new CDeviceCtrl(home, kDevicePicture, CRect());
    home->AddChild(m_devicePicture);
    m_devicePicture->SetManager(&m_manager);
    SetFontSize(m_devicePicture, 18, 1);
    m_devicePicture->SetDeviceStatus(0);

    m_deviceList = new CDeviceList(home, kDeviceList, CRect());
    home->AddChild(m_deviceList);
    m_deviceList->SetManager(&m_manager);
    m_deviceList->SetTextColor(0xFFE6E6E6u);
    SetFontSize(m_deviceList, 14);

    m_noKeyboardText = new MText(home, kNoKeyboardText, CRect(), GetText(63), 0);
    home->AddChild(m_noKeyboardText);
    m_noKeyboardText->SetManager(&m_manager);
    m_noKeyboardText->SetTextColor(kWhite);
    m_noKeyboardText->SetAlignment(1, 1);
    m_noKeyboardText->EnableVCenter(1);
    SetFontSize(m_noKeyboardText, 16);

    auto* version = new MText(home, kVersion, CRect(), u"Ver: %1"_qs.arg(software.version));
    home->AddChild(version);
    version->SetManager(&m_manager);
    version->SetTextColor(kGrey);
    version->SetAlignment(0, 1);

    auto* copyright = new MText(home, kCopyright, CRect(), software.copyright);
    home->AddChild(copyright);
    copyright->SetManager(&m_manager);
    copyright->SetTextColor(kGrey);
    copyright->SetAlignment(1, 1);
    (void)client;
}

void KeyboardDlg::UISize(CRect client)
{
    using namespace MainId;
    const int w = client.Width(), h = client.Height(), g = w / 2;
    auto place = [this](unsigned id, CRect rect) {
        if (MControl* c = FindControl(id)) c->SetRect(rect);
    };
    place(kBackground, CRect(0, 0, w, h));
    place(kAnimatedBackground, CRect(0, 0, w, h));
    place(kFrameLeft, CRect(0, 0, 1, h));
    place(kFrameRight, CRect(w - 1, 0, w, h));
    place(kFrameTop, CRect(0, 0, w, 1));
    place(kFrameBottom, CRect(0, h - 1, w, h));
    place(kCaptionPlateLeft, CRect(1, 1, 300, 50));
    place(kCaptionPlateRight, CRect(310, 1, w - 1, 50));
    const int logoW = m_logo ? m_logo->GetImageFrameWidth() : 0;
    const int logoH = m_logo ? m_logo->GetImageFrameHeight() : 0;
    const int t = (50 - logoH) / 2;
    place(kLogo, CRect(10, t, logoW + 10, t + logoH));
    place(kCaption, CRect(g - 250, 15, g + 250, 45));
    place(kPageTitle, CRect(logoW + 30, 10, logoW + 290, 40));
    place(kPageIcon, CRect(320, 7, 356, 43));
    place(kClose, CRect(w - 50, 10, w - 20, 40));
    place(kMinimise, CRect(w - 100, 10, w - 70, 40));
    place(kWebsite, CRect(w - 150, 10, w - 120, 40));
    place(kBattery, CRect(w - 280, 12, w - 201, 40));
    place(kModePicture, CRect(w - 200, 12, w - 121, 40));
    for (MTabLayout* container : m_containers)
        if (container) container->SetRect(CRect(60, 60, w - 1, h - 1));
    if (m_tabs) {
        m_tabs->SetRect(CRect(1, 60, 61, h - 10));
        m_tabs->RefreshItems();
    }
    place(kDevicePicture, DevicePictureRect(w, h));
    place(kDeviceList, CRect(100, h - 150, w - 60, h - 50));
    place(kNoKeyboardText, CRect(100, 150, w - 100, 200));
    place(kVersion, CRect(10, h - 35, 210, h - 5));
    place(kCopyright, CRect(g - 300, h - 35, g + 300, h - 5));
    for (auto& page : m_pages) page->Layout(CRect(60, 60, w - 1, h - 1));
}

void KeyboardDlg::FillDeviceList()
{
    if (!m_deviceList) return;
    m_deviceList->ClearList();
    for (const DeviceEntry& keyboard : m_device.GetCatalogue().keyboards)
        m_deviceList->AddDevice(keyboard.name, keyboard.deviceType, keyboard.imgDisconnected, keyboard.imgConnected);
}

void KeyboardDlg::SetCloseTooltip()
{
    if (MControl* close = GetControl(MainId::kClose))
        close->SetTooltip(GetText(ReadRegistryNumber(u"exit_mode"_qs) == 2 ? 172 : 171));
}
