#include "oxa/controls/edit_ex.h"

namespace OXA {

MEditEx::MEditEx(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MRichEdit(parent, id, rect, CString(), visible, enabled), m_tip(title)
{
    SetMultiLine(0);
}

void MEditEx::SetTipInfo(const CString& tip)
{
    m_tip = tip;
    UpdateControl(1, 0);
}

}  // namespace OXA
