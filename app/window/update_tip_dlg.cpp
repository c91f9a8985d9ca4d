#include "app/window/update_tip_dlg.h"

#include "app/shell/language_texts.h"
#include "app/window/control_setup.h"
#include "oxa/controls/button.h"
#include "oxa/controls/image_button.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/text.h"

using namespace OXA;

namespace {

constexpr unsigned kCloseId = 31;
constexpr unsigned kAcceptId = 36;
constexpr unsigned kCancelId = 37;
constexpr int kEnglish = 1033;

}  // namespace

void UpdateTipDlg::InitUI(CRect client)
{
    const int r = client.right, b = client.bottom;
    const bool english = CurrentLanguage() == kEnglish;

    auto* back = static_cast<MPicture*>(CreateControl(u"MPicture"_qs, 30, client, CString()));
    back->SetImage(u"updatetips_bkg.png"_qs, 1);

    auto* close = static_cast<CImageButton*>(CreateControl(u"CImageButton"_qs, kCloseId, CRect(r - 40, 12, r - 20, 32),
                                                           CString()));
    close->SetImage(u"sysbtn_close.png"_qs, 4);
    close->SetTooltip(GetText(1));

    auto text = [&](unsigned id, CRect rect, int number, ARGB colour) {
        auto* t = static_cast<MText*>(CreateControl(u"MText"_qs, id, rect, GetText(number)));
        t->SetTextColor(colour);
        if (english && id != 32) {
            SetFontSize(t, 15);
            t->EnableMultiLine(1);
        }
        return t;
    };
    MText* important = text(32, CRect(50, 210, 125, 240), 183, 0xFFFF5000u);
    important->SetAlignment(1, 1);
    if (english) SetFontSize(important, 12);
    text(33, CRect(20, 60, r - 5, 110), 180, 0xFFFFFFFFu);
    text(34, CRect(175, 130, r - 10, 180), 181, 0xFFFF5000u);
    text(35, CRect(175, 180, r - 10, 230), 182, 0xFFFF5000u);

    auto button = [&](unsigned id, CRect rect, int number) {
        auto* button = static_cast<MButton*>(CreateControl(u"MButton"_qs, id, rect, GetText(number)));
        button->SetImage(u"btn_apply.png"_qs, 4);
        button->SetTextColor(0xFFFFFFFFu);
    };
    button(kAcceptId, CRect(r - 260, b - 50, r - 140, b - 22), 185);
    button(kCancelId, CRect(r - 130, b - 50, r - 10, b - 22), 186);
}

long UpdateTipDlg::OnMessage(unsigned id, unsigned code, unsigned, long)
{
    if (code != 2) return 0;
    if (id == kAcceptId) DoOK();
    else if (id == kCloseId || id == kCancelId) DoCancel();
    return 0;
}

bool RunUpdatePrompt(MWindow* owner)
{
    UpdateTipDlg prompt;
    if (!prompt.Create(owner ? owner->GetSafeHwnd() : nullptr, GetText(157), 0x96000000UL, 0,
                       CRect(0, 0, UpdateTipDlg::kWidth, UpdateTipDlg::kHeight)))
        return false;
    prompt.CenterWindow(owner);
    return prompt.ShowModal(SW_SHOW) == IDOK;
}
