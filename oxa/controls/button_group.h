#pragma once
// Buttons that form groups: of the controls sharing a parent (or, for the
// dialog, its top-level controls), those with the same class name and the
// same group name have at most one checked at a time.
#include "oxa/core/control.h"

namespace OXA {

class OXA_API GroupMember {
public:
    virtual ~GroupMember() = default;
    virtual CString GetGroupName() const = 0;
    // Clears the check, shows state 0 and repaints; no notification.
    virtual void ClearGroupCheck() = 0;
};

// Unchecks every other member of self's group.
OXA_API void UncheckGroup(MControl* self, const CString& groupName);

}  // namespace OXA
