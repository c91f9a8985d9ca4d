#include "oxa/controls/text_area.h"

namespace OXA {

CTextArea::CTextArea(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MRichEdit(parent, id, rect, title, visible, enabled)
{
    m_title = title;
    SetReadOnly(1);
}

void CTextArea::SetControlTitle(const CString& title)
{
    MRichEdit::SetControlTitle(title);
    SetText(title);
}

}  // namespace OXA
