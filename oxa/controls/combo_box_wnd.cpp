#include "oxa/controls/combo_box_wnd.h"

#include "oxa/controls/combo_box_list.h"

namespace OXA {

CComboBoxWnd::CComboBoxWnd() = default;

long CComboBoxWnd::OnMessage(unsigned, unsigned code, unsigned wParam, long lParam)
{
    if (code == 2 && lParam == kComboListMarker) {
        CloseWindow();
        SendMessageToParent(2, wParam, lParam);
    }
    return 0;
}

}  // namespace OXA
