#include "app/window/wait_dlg.h"

#include "oxa/controls/gif_picture.h"

using namespace OXA;

int WaitDlg::OnInitDialog()
{
    MDialog::OnInitDialog();
    ModifyExStyle(0, WS_EX_TOPMOST);
    SetMTimer(10);
    return 1;
}

void WaitDlg::InitUI(CRect client)
{
    m_manager.SetBackColor(RGB(0x33, 0x33, 0x33), RGB(0x33, 0x33, 0x33));
    auto* loading = static_cast<CGifPicture*>(CreateControl(u"CGifPicture"_qs, 30, client, CString()));
    loading->SetImage(u"loading.gif"_qs, 1);
    loading->SetRresponse(0);  // presses reach the window, which moves with the mouse
    loading->AddMTimer();
    loading->SetRunState(1, 0);
}
