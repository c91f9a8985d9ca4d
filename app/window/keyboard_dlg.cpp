#include "app/window/keyboard_dlg.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/device_link_side.h"
#include "app/shell/language_texts.h"
#include "app/window/close_window_tip_dlg.h"
#include "app/window/main_window_ids.h"
#include "app/window/page_table.h"
#include "app/window/wait_dlg.h"
#include "oxa/controls/tab_layout.h"
#include "oxa/controls/text.h"
#include "oxa/keyboard/device_list.h"
#include "oxa/core/manager.h"

using namespace OXA;

KeyboardDlg::KeyboardDlg(TaskQueue& queue, DeviceLinkSide& device, FeatureTasks& features,
                         const CString& softwareName, const CString& programFolder)
    : m_device(device),
      m_softwareName(softwareName),
      m_programFolder(programFolder),
      m_worker(queue, device, features, *this)
{
}

KeyboardDlg::~KeyboardDlg()
{
    if (!m_destroyed) DestroyMainWindow();
}

void KeyboardDlg::AddPage(std::unique_ptr<MainPage> page)
{
    if (page) m_pages.push_back(std::move(page));
}

bool KeyboardDlg::CreateMainWindow()
{
    if (m_created) return true;
    if (!Create(nullptr, m_softwareName, kStyle, 0, CRect(0, 0, kWidth, kHeight))) return false;
    CenterWindow();
    m_created = true;
    return true;
}

int KeyboardDlg::Run(int showMode)
{
    if (!CreateMainWindow()) return 1;
    ShowModal(showMode == 0 ? SW_HIDE : SW_SHOW);
    if (!m_destroyed) DestroyMainWindow();
    return m_endRequested < 0 ? 0 : m_endRequested;
}

int KeyboardDlg::OnInitDialog()
{
    MDialog::OnInitDialog();
    m_device.SetView(this);
    m_tray.Add(m_programFolder + u"/Varnet.ico"_qs, m_softwareName, [this](unsigned event) {
        PostMessageW(MainMessage::kTrayCallback, 0, long(event));
    });
    SetIcon(QImage(m_programFolder + u"/Varnet.ico"_qs));
    FillDeviceList();
    SetMTimer(16);
    m_worker.StartWorker();
    return 1;
}

bool KeyboardDlg::DestroyMainWindow()
{
    if (m_destroyed) return true;
    m_destroyed = true;
    const bool stopped = m_worker.StopWorker();
    m_workerStopped = stopped;
    m_device.SetView(nullptr);
    m_ui.Close();
    m_tray.Remove();
    if (m_deviceList) m_deviceList->ClearList();
    if (GetSafeHwnd()) DestroyWindow();
    return stopped;
}

void KeyboardDlg::PostNcDestroy()
{
    m_background = nullptr;
    m_animated = nullptr;
    m_caption = m_pageTitle = m_noKeyboardText = nullptr;
    m_pageIcon = m_logo = m_modePicture = nullptr;
    m_battery = nullptr;
    m_tabs = nullptr;
    m_containers.fill(nullptr);
    m_devicePicture = nullptr;
    m_deviceList = nullptr;
}

MControl* KeyboardDlg::FindControl(unsigned id)
{
    if (MControl* c = GetControl(id)) return c;
    for (MTabLayout* page : m_containers) {
        if (!page) continue;
        std::lock_guard lock(page->ChildrenLock());
        for (MControl* child : page->GetControls())
            if (child->GetControlID() == id) return child;
    }
    return nullptr;
}

long KeyboardDlg::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    using namespace MainMessage;
    switch (msg) {
    case kRawInput: return MDialog::OnWindowMessage(msg, wParam, lParam);
    case WM_CLOSE:
        // The worker stops before the controls it reports to go away.
        DestroyMainWindow();
        return 0;
    case kTrayCallback: OnTrayEvent(unsigned(lParam) & 0xFFFF); return 0;
    case kEndRequest:
        if (unsigned(lParam) == kEndRequestValue) EndProcess();
        return 0;
    case kKeyCaptured:  // the macro page's key display
    case kKeyMenuPicture:
    case kKeyMenuOther:
    case kMacroMenu:
    case kAnimationMenu:
    case kScreenMenu:
        for (auto& page : m_pages)
            if (page->OnMenuMessage(msg, unsigned(lParam))) break;
        return 0;
    case kApplyLanguage:
        ApplyLanguageTexts();
        return MDialog::OnWindowMessage(msg, wParam, lParam);
    case WM_COMMAND:
        if ((wParam & 0xFFFF) == kTrayExit) {
            EndProcess();
            return 0;
        }
        if ((wParam & 0xFFFF) == kTrayCloseOptions) {
            RunCloseChoice(this);
            SetCloseTooltip();
            return MDialog::OnWindowMessage(msg, wParam, lParam);
        }
        break;
    default: break;
    }
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

int KeyboardDlg::OnTimer(unsigned id)
{
    if (id == MainMessage::kFirmwareTimer) CheckFirmwareVersion();
    return 0;
}

long KeyboardDlg::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    using namespace MainId;
    if (id == kTabs) {
        SwitchPage(int(wParam));
        return 0;
    }
    if (code == 2) {
        switch (id) {
        case kClose: OnCloseButton(); return 0;
        case kMinimise: OnMinimize(); return 0;
        case kWebsite: OpenWebsite(); return 0;
        case kDevicePicture: EnterMainFrame(); return 0;
        case kDeviceList:
            if (m_deviceList) m_device.OnDeviceListSelect(m_deviceList->GetSelectDevice());
            return 0;
        default: break;
        }
    }
    for (auto& page : m_pages)
        if (page->OnMessage(id, code, wParam, lParam)) break;
    return 0;
}

void KeyboardDlg::OpenWebsite()
{
    const CString address = m_device.GetCatalogue().software.website;
    if (!address.isEmpty()) QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void KeyboardDlg::QueueTaskAndWait(int task)
{
    m_worker.QueueTask(task);
    const WaitDialog which = WaitDialogOfTask(task);
    if (which == WaitDialog::kNone) return;
    WaitDlg wait;
    if (!wait.Create(GetSafeHwnd(), CString(), kStyle, WS_EX_TOOLWINDOW, CRect(0, 0, WaitDlg::kSize, WaitDlg::kSize)))
        return;
    wait.CenterWindow(this);
    m_waitDialogs[size_t(which)] = &wait;
    wait.ShowModal(SW_SHOW);
    m_waitDialogs[size_t(which)] = nullptr;
}

void KeyboardDlg::CloseWaitDialog(WaitDialog which)
{
    m_ui.Post([this, which] {
        if (MDialog* open = m_waitDialogs[size_t(which)]) open->DoOK();
    });
}

void KeyboardDlg::RestoreAfterExternalProgram()
{
    m_ui.Post([this] {
        EnableWindow(1);
        ShowWindow(SW_SHOW);
    });
}

void KeyboardDlg::ShowAndRaise()
{
    ShowWindow(SW_SHOWNORMAL);
    BringToTop();
}

void KeyboardDlg::ApplyLanguageTexts()
{
    if (m_caption && m_keyboard.name.isEmpty()) m_caption->SetTitle(GetText(1, u"CAPTION"_qs));
    if (m_noKeyboardText) m_noKeyboardText->SetTitle(GetText(63));
    const int position = Pages::PositionOf(m_currentPage);
    if (m_pageTitle && position > 0) m_pageTitle->SetTitle(GetText(Pages::At(position).titleText));
    SetCloseTooltip();
    for (auto& page : m_pages) page->ApplyLanguage();
    InvalidateRect(nullptr, 0);
}
