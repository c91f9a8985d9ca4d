#include "oxa/core/popup_window.h"

#include "oxa/core/native_window.h"

namespace OXA {

MPopupWnd::MPopupWnd() { m_colorKey = 0xF1F1F1; }

long MPopupWnd::SendMessageToParent(unsigned code, unsigned wParam, long lParam)
{
    if (!m_logicalParent)
        return 0;
    if (auto* control = dynamic_cast<MControl*>(m_logicalParent))
        return control->OnMessage(0, code, wParam, lParam);
    if (auto* dialog = dynamic_cast<MDialog*>(m_logicalParent))
        return dialog->OnMessage(0, code, wParam, lParam);
    return m_logicalParent->OnBaseMessage(0, code, wParam, lParam);
}

void MPopupWnd::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

long MPopupWnd::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    if (msg == WM_ACTIVATE && wParam == WA_INACTIVE && m_hWnd && m_hWnd->isVisible())
        CloseWindow();
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

int MPopupWnd::OnInitDialog()
{
    MDialog::OnInitDialog();
    m_manager.EnableWndDrag(0);
    return 1;
}

int MPopupWnd::OnCreate(CREATESTRUCT* cs)
{
    MDialog::OnCreate(cs);
    ModifyExStyle(0, WS_EX_TOOLWINDOW);
    return 1;
}

}  // namespace OXA
