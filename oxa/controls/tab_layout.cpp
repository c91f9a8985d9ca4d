#include "oxa/controls/tab_layout.h"

namespace OXA {

MTabLayout::MTabLayout(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible) {}

int MTabLayout::OnCheckMouseResponse(unsigned, CPoint pt)
{
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    for (MControl* child : m_children)
        if (child->GetRresponse() && child->PtInRect(pt))
            return 1;
    return 0;
}

}  // namespace OXA
