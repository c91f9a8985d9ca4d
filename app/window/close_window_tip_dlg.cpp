#include "app/window/close_window_tip_dlg.h"

#include "app/shell/language_texts.h"
#include "app/window/control_setup.h"
#include "oxa/controls/button.h"
#include "oxa/controls/radio_button.h"
#include "oxa/controls/text.h"
#include "platform/settings_file.h"

using namespace OXA;

namespace {

constexpr unsigned kQuestionId = 30;
constexpr unsigned kMinimiseId = 31;
constexpr unsigned kExitId = 32;
constexpr unsigned kApplyId = 33;

}  // namespace

int CloseWindowTipDlg::OnInitDialog()
{
    MDialog::OnInitDialog();
    ModifyExStyle(0, WS_EX_TOPMOST);
    BringToTop();
    const bool exit = ReadRegistryNumber(u"exit_mode"_qs) == 2;
    if (auto* option = static_cast<CRadioButton*>(GetControl(exit ? kExitId : kMinimiseId))) option->SetCheck(1);
    return 1;
}

void CloseWindowTipDlg::InitUI(CRect client)
{
    const int w = client.Width(), h = client.Height();
    LoadBKImage(u"bk_prompt.png"_qs);
    SetBackMode(1, 30);

    auto* question = static_cast<MText*>(
        CreateControl(u"MText"_qs, kQuestionId, CRect(30, 18, w - 30, 48), GetText(kQuestionText)));
    SetFontSize(question, 16);
    question->SetTextColor(0xFFFFFFFFu);

    auto option = [this](unsigned id, int top, int text) {
        auto* b = static_cast<CRadioButton*>(CreateControl(u"CRadioButton"_qs, id, CRect(50, top, 330, top + 28),
                                                           GetText(text)));
        b->SetGroupName(u"exit_mode"_qs);
        b->SetImage(u"btn_radiobox.png"_qs, 8);
        b->SetAlignment(0, 1);
        b->SetTextColor(0xFFE6E6E6u);
        SetFontSize(b, 14);
    };
    option(kMinimiseId, 62, 171);
    option(kExitId, 98, 172);

    auto* apply = static_cast<MButton*>(
        CreateControl(u"MButton"_qs, kApplyId, CRect(w / 2 - 60, h - 48, w / 2 + 60, h - 18), GetText(20)));
    apply->SetImage(u"btn_apply.png"_qs, 4);
    apply->SetTextColor(0xFFFFFFFFu);
    SetFontSize(apply, 14);
}

long CloseWindowTipDlg::OnMessage(unsigned id, unsigned code, unsigned, long)
{
    if (id == kApplyId && code == 2) {
        const auto* minimise = static_cast<CRadioButton*>(GetControl(kMinimiseId));
        WriteRegistryText(u"exit_mode"_qs, minimise && minimise->GetCheck() ? u"1"_qs : u"2"_qs);
        DoOK();
    }
    return 0;
}

bool RunCloseChoice(MWindow* owner)
{
    CloseWindowTipDlg dialog;
    if (!dialog.Create(owner ? owner->GetSafeHwnd() : nullptr, GetText(10), 0x96000000UL, 0,
                       CRect(0, 0, CloseWindowTipDlg::kWidth, CloseWindowTipDlg::kHeight)))
        return false;
    dialog.CenterWindow(owner);
    return dialog.ShowModal(SW_SHOW) == IDOK;
}
