#include "app/window/ui_message_box.h"

#include "app/shell/language_texts.h"
#include "oxa/controls/button.h"
#include "oxa/controls/text.h"
#include "app/window/control_setup.h"

using namespace OXA;

namespace {

constexpr unsigned kTitleId = 31;
constexpr unsigned kMessageId = 32;
constexpr unsigned kFirstButton = 33;
constexpr unsigned kSecondButton = 34;

}  // namespace

CUIMessageBox::CUIMessageBox(const CString& title, const CString& message, int style)
    : m_title(title), m_message(message), m_style(style)
{
}

int CUIMessageBox::OnInitDialog()
{
    MDialog::OnInitDialog();
    ModifyExStyle(0, WS_EX_TOPMOST);
    BringToTop();
    return 1;
}

void CUIMessageBox::InitUI(CRect client)
{
    const int w = client.Width(), h = client.Height();
    LoadBKImage(u"bk_prompt.png"_qs);
    SetBackMode(1, 30);
    SetLayeredWindow(1);

    auto* title = static_cast<MText*>(CreateControl(u"MText"_qs, kTitleId, CRect(20, 15, w - 20, 40), m_title));
    SetFontSize(title, 16);
    title->SetAlignment(1);
    title->SetTextColor(0xFFFFFFFFu);

    auto* message = static_cast<MText*>(
        CreateControl(u"MText"_qs, kMessageId, CRect(20, h / 2 - 30, w - 20, h / 2 + 30), m_message));
    SetFontSize(message, 16);
    message->SetAlignment(1, 1);
    message->EnableMultiLine(1);
    message->EnableVCenter(1);
    message->SetTextColor(0xFFE6E6E6u);

    auto button = [this](unsigned id, CRect rect, int text) {
        auto* b = static_cast<MButton*>(CreateControl(u"MButton"_qs, id, rect, GetText(text)));
        b->SetImage(u"btn_apply.png"_qs, 4);
        SetFontSize(b, 14);
        b->SetTextColor(0xFFFFFFFFu);
    };
    if (m_style == kStyleOk) {
        button(kFirstButton, CRect(60, h - 40, w - 60, h - 10), 20);
    } else if (m_style == kStyleYesNo) {
        button(kFirstButton, CRect(w / 2 - 120, h - 40, w / 2 - 20, h - 10), 23);
        button(kSecondButton, CRect(w / 2 + 20, h - 40, w / 2 + 120, h - 10), 25);
    }
}

long CUIMessageBox::OnMessage(unsigned id, unsigned code, unsigned, long)
{
    if (code != 2) return 0;
    if (id == kFirstButton) DoOK();
    else if (id == kSecondButton) DoCancel();
    return 0;
}

int ShowMessageBox(MWindow* owner, const CString& title, const CString& message, int style)
{
    CUIMessageBox box(title, message, style);
    if (!box.Create(owner ? owner->GetSafeHwnd() : nullptr, u"MessageBox"_qs, 0x96000000UL, WS_EX_TOOLWINDOW,
                    CRect(0, 0, CUIMessageBox::kWidth, CUIMessageBox::kHeight)))
        return IDCANCEL;
    box.CenterWindow(owner);
    return box.ShowModal(SW_SHOW) == IDOK ? IDOK : IDCANCEL;
}
