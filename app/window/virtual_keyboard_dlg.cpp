#include "app/window/virtual_keyboard_dlg.h"

#include <memory>

#include "app/device_link_side.h"
#include "app/window/control_setup.h"
#include "app/window/virtual_keyboard_view.h"
#include "oxa/controls/image_button.h"
#include "oxa/controls/text.h"

using namespace OXA;

namespace {

constexpr unsigned kTitleId = 30;
constexpr unsigned kCloseId = 31;
constexpr unsigned kViewId = 32;
constexpr unsigned long kStyle = 0x96000000UL;  // popup, visible, clip siblings and children
constexpr COLORREF kBack = RGB(0x1B, 0x1D, 0x22);

// The window lives from Open until the next Open after it was closed, or
// CloseOpen: it is never freed from inside its own message handling.
std::unique_ptr<VirtualKeyboardDlg>& Instance()
{
    static std::unique_ptr<VirtualKeyboardDlg> instance;
    return instance;
}

}  // namespace

VirtualKeyboardDlg::VirtualKeyboardDlg(DeviceLinkSide& side) : m_side(side) {}

VirtualKeyboardDlg::~VirtualKeyboardDlg()
{
    if (!m_closed && GetSafeHwnd()) DestroyWindow();
}

VirtualKeyboardDlg* VirtualKeyboardDlg::Open(DeviceLinkSide& side)
{
    if (!side.Simulation()) return nullptr;
    std::unique_ptr<VirtualKeyboardDlg>& instance = Instance();
    if (instance && !instance->m_closed && &instance->m_side == &side) {
        instance->ShowWindow(SW_SHOW);
        instance->BringToTop();
        return instance.get();
    }
    instance.reset();
    auto dialog = std::make_unique<VirtualKeyboardDlg>(side);
    if (!dialog->Create(nullptr, u"Virtual keyboard"_qs, kStyle, 0, CRect(0, 0, kWidth, kHeight))) return nullptr;
    dialog->CenterWindow();
    dialog->ShowWindow(SW_SHOW);
    instance = std::move(dialog);
    return instance.get();
}

VirtualKeyboardDlg* VirtualKeyboardDlg::Current()
{
    VirtualKeyboardDlg* open = Instance().get();
    return open && !open->m_closed ? open : nullptr;
}

void VirtualKeyboardDlg::CloseOpen()
{
    std::unique_ptr<VirtualKeyboardDlg>& instance = Instance();
    if (instance && !instance->m_closed) instance->DestroyWindow();
    instance.reset();
}

CRect VirtualKeyboardDlg::KeyRect(int keyCode)
{
    return m_view ? m_view->KeyRect(keyCode) : CRect();
}

int VirtualKeyboardDlg::OnInitDialog()
{
    MDialog::OnInitDialog();
    SetMTimer(kFrameMs);
    return 1;
}

void VirtualKeyboardDlg::InitUI(CRect client)
{
    m_manager.SetBackColor(kBack, kBack);
    EnableWndDrag(1);  // presses outside the close button move the window
    const int r = client.right;

    auto* title = static_cast<MText*>(
        CreateControl(u"MText"_qs, kTitleId, CRect(20, 0, r - 60, kHeaderHeight), u"Virtual keyboard"_qs));
    if (title) {
        title->SetTextColor(0xFFE6E8EEu);
        title->SetAlignment(0, 1);
        title->SetRresponse(0);
        SetFontSize(title, 15, 1);
    }
    auto* close = static_cast<CImageButton*>(
        CreateControl(u"CImageButton"_qs, kCloseId, CRect(r - 40, 10, r - 20, 30), CString()));
    if (close) close->SetImage(u"sysbtn_close.png"_qs, 4);

    m_view = new VirtualKeyboardView(this, kViewId, CRect(0, kHeaderHeight, r, client.bottom), m_side);
    m_view->SetManager(&m_manager);
    m_manager.AddControl(m_view);
    m_view->AddMTimer();
    m_view->SetRunTimer(1);
}

long VirtualKeyboardDlg::OnMessage(unsigned id, unsigned code, unsigned, long)
{
    if (code == 2 && id == kCloseId) DoClose();
    return 0;
}

void VirtualKeyboardDlg::PostNcDestroy()
{
    m_closed = true;
    m_view = nullptr;
}
