// The main window's views: what device discovery shows (device list,
// keyboard picture, caption, connection-mode controls, battery), the two
// views, the page switch and entering the main frame.
#include <cstdio>

#include "app/device_link_side.h"
#include "app/shell/language_texts.h"
#include "app/window/keyboard_dlg.h"
#include "app/window/main_window_ids.h"
#include "app/window/page_table.h"
#include "oxa/controls/gif_picture.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/tab_ctrl.h"
#include "oxa/controls/tab_layout.h"
#include "oxa/controls/text.h"
#include "oxa/keyboard/battery_ctrl.h"
#include "oxa/keyboard/device_ctrl.h"
#include "oxa/keyboard/device_list.h"
#include "oxa/core/manager.h"

using namespace OXA;

// --- handed over from the discovery threads ------------------------------------

void KeyboardDlg::SetAllDeviceState(int state)
{
    m_ui.Post([this, state] {
        if (m_deviceList) m_deviceList->SetAllDeviceState(state);
    });
}

void KeyboardDlg::SetDeviceState(int deviceType, int state)
{
    m_ui.Post([this, deviceType, state] {
        if (m_deviceList) m_deviceList->SetDeviceState(deviceType, state);
    });
}

void KeyboardDlg::SetSelectDevice(int deviceType)
{
    m_ui.Post([this, deviceType] {
        if (m_deviceList) m_deviceList->SetSelectDevice(deviceType);
    });
}

void KeyboardDlg::LayoutLoaded(const DeviceEntry& keyboard, const LayoutFile& layout)
{
    m_ui.Post([this, keyboard, layout] {
        m_keyboard = keyboard;
        m_layout = layout;
        if (m_caption) m_caption->SetTitle(keyboard.name);
        for (auto& page : m_pages) page->OnLayoutLoaded(layout);
        if (m_devicePicture) {
            m_devicePicture->SetTitle(keyboard.name);
            m_devicePicture->SetImage(m_connectedView ? keyboard.imgConnected : keyboard.imgDisconnected, 1);
        }
    });
}

void KeyboardDlg::ShowNoKeyboardView()
{
    m_ui.Post([this] {
        m_connectedView = false;
        if (m_noKeyboardText) m_noKeyboardText->SetVisible(1);
        if (m_animated) m_animated->SetVisible(1);
        ShowFrameParts(false);
        if (m_battery) m_battery->SetVisible(0);
        if (m_modePicture) m_modePicture->SetVisible(0);
        SelectTab(0);
        if (m_background) m_background->SetImage(u"home_bkg.png"_qs, 1);
        if (m_devicePicture) {
            if (!m_keyboard.imgDisconnected.isEmpty()) m_devicePicture->SetImage(m_keyboard.imgDisconnected, 1);
            m_devicePicture->SetDeviceStatus(0);
        }
        m_worker.SetCurrentPage(m_currentPage);
        if (m_viewHook) m_viewHook(false);
    });
}

void KeyboardDlg::ShowConnectedView(bool keyAssignmentPage)
{
    m_ui.Post([this, keyAssignmentPage] {
        m_connectedView = true;
        if (m_noKeyboardText) m_noKeyboardText->SetVisible(0);
        if (m_devicePicture) {
            if (!m_keyboard.imgConnected.isEmpty()) m_devicePicture->SetImage(m_keyboard.imgConnected, 1);
            m_devicePicture->SetDeviceStatus(1);
        }
        if (keyAssignmentPage) m_previousPage = Pages::PositionOf(Pages::kKeys);
        EnterMainFrame();
        if (m_viewHook) m_viewHook(true);
    });
}

void KeyboardDlg::ApplyConnectMode(int connectMode)
{
    m_ui.Post([this, connectMode] { ApplyModeControls(connectMode); });
}

void KeyboardDlg::StartFirmwareCheckTimer(int milliseconds)
{
    m_ui.Post([this, milliseconds] { SetTimer(MainMessage::kFirmwareTimer, unsigned(milliseconds)); });
}

void KeyboardDlg::SetBatteryInfo(int level, bool charging)
{
    m_ui.Post([this, level, charging] {
        if (m_battery) m_battery->SetBatteryInfo(level, charging ? 1 : 0);
    });
}

void KeyboardDlg::RunKeyAction(int value)
{
    // The computer-side functions belong to the key pages.
    m_ui.Post([this, value] {
        for (auto& page : m_pages)
            if (page->OnMenuMessage(0, unsigned(value))) break;
    });
}

// --- UI thread ----------------------------------------------------------------

void KeyboardDlg::ApplyModeControls(int connectMode)
{
    if (connectMode < 0 || connectMode > 2) return;  // -1 leaves everything as it is
    m_connectMode = connectMode;
    static const char16_t* pictures[] = {u"icon/usb_mode.png", u"icon/bt_mode.png", u"icon/24g_mode.png"};
    if (m_modePicture) m_modePicture->SetImage(QString::fromUtf16(pictures[connectMode]), 1);
    if (m_battery) m_battery->SetVisible(connectMode == 0 ? 0 : 1);
    if (m_devicePicture) m_devicePicture->SetEnabled(connectMode == 1 ? 0 : 1);
    for (auto& page : m_pages) page->OnConnectMode(connectMode);
    if (connectMode == 1 || !m_tabs) return;  // Bluetooth keeps the tabs as they are
    const int flags = connectMode == 0 ? m_layout.pageFlagsCable : m_layout.pageFlagsReceiver;
    for (int position = 1; position < Pages::kCount; ++position) {
        const PageInfo& page = Pages::At(position);
        bool shown = (flags & page.pageFlag) != 0;
        if (connectMode == 2 && page.pageId == Pages::kAnimation) shown = false;
        m_tabs->SetItemVisible(position, shown ? 1 : 0);
    }
    m_tabs->RefreshItems();
}

void KeyboardDlg::ShowFrameParts(bool show)
{
    const int visible = show ? 1 : 0;
    // A hidden strip gets no mouse move: forget the tab under the pointer
    // now, or it would still look hovered when the strip comes back.
    if (m_tabs && !show) m_tabs->OnControlMouseMove(0, CPoint(-1, -1));
    if (m_tabs) m_tabs->SetVisible(visible);
    for (unsigned id : {MainId::kCaptionPlateLeft, MainId::kCaptionPlateRight})
        if (MControl* plate = GetControl(id)) plate->SetVisible(visible);
    if (m_pageTitle) m_pageTitle->SetVisible(visible);
    if (m_pageIcon) m_pageIcon->SetVisible(visible);
}

// Selecting the tab that is already selected still runs the page switch, so
// that a view change always ends in a consistent frame.
void KeyboardDlg::SelectTab(int position)
{
    if (!m_tabs) return;
    if (m_tabs->GetSelectItem() == position) SwitchPage(position);
    else m_tabs->SetSelectItem(position);  // its notification runs the page switch
}

void KeyboardDlg::SwitchPage(int position)
{
    const int pageId = Pages::PageIdAt(position);
    if (pageId < 0) return;
    // The page shown last before this switch hears that it was left (the
    // music page stops its capture flags).
    const int leftPage = Pages::PageIdAt(m_previousPage);
    for (auto& p : m_pages)
        if (p->PageId() == leftPage) p->OnHidden();
    if (pageId == Pages::kHome) {
        ShowFrameParts(false);
        if (m_background) m_background->SetImage(u"home_bkg.png"_qs, 1);
        if (m_animated) m_animated->SetVisible(1);
        m_currentPage = Pages::kHome;
    } else {
        const PageInfo& page = Pages::At(position);
        if (m_pageTitle) m_pageTitle->SetTitle(GetText(page.titleText));
        if (m_pageIcon) m_pageIcon->SetImage(QString::fromUtf16(page.pageIcon), 1);
        m_previousPage = position;
        m_currentPage = pageId;
        for (auto& p : m_pages)
            if (p->PageId() == pageId) p->OnShown();
    }
    m_worker.SetCurrentPage(m_currentPage);
    std::fprintf(stderr, "varnet: page %d shown\n", m_currentPage);
}

void KeyboardDlg::EnterMainFrame()
{
    if (m_animated) m_animated->SetVisible(0);
    if (m_background) m_background->SetImage(u"main_bkg.png"_qs, 1);
    ShowFrameParts(true);
    if (m_modePicture && m_connectMode >= 0) m_modePicture->SetVisible(1);
    int position = m_previousPage;
    if (position <= 0 || position >= Pages::kCount) position = Pages::PositionOf(Pages::kKeys);
    SelectTab(position);
}
