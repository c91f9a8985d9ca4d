#include "oxa/controls/button_group.h"

#include <QStringView>

#include "oxa/core/paint_manager.h"

namespace OXA {

namespace {

void UncheckIn(std::vector<MControl*>& list, MControl* self, const CString& groupName)
{
    const char16_t* cls = self->GetClassNameW();
    const size_t n = list.size();  // handlers may append, never remove
    for (size_t i = 0; i < n && i < list.size(); ++i) {
        MControl* other = list[i];
        if (other == self || !other->IsClass(QString::fromUtf16(cls)))
            continue;
        auto* member = dynamic_cast<GroupMember*>(other);
        if (member && member->GetGroupName() == groupName)
            member->ClearGroupCheck();
    }
}

}  // namespace

void UncheckGroup(MControl* self, const CString& groupName)
{
    MObject* parent = self->GetParantObject();
    if (!parent)
        return;
    if (auto* control = dynamic_cast<MControl*>(parent)) {
        std::lock_guard<std::recursive_mutex> lock(control->ChildrenLock());
        UncheckIn(control->GetControls(), self, groupName);
    } else if (PaintManager* manager = self->GetManager()) {
        std::lock_guard<std::recursive_mutex> lock(manager->ControlsLock());
        UncheckIn(manager->GetControls(), self, groupName);
    }
}

}  // namespace OXA
