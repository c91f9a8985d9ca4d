#pragma once
// Root of everything that receives notifications: controls and dialogs.
#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

class MControl;

class OXA_API MObject {
public:
    virtual ~MObject();
    // 1 when name equals GetClassNameW() character for character.
    virtual int IsClass(const CString& name) const;
    virtual const char16_t* GetClassNameW() const;
    virtual const char16_t* GetObjectClass() const;
    virtual const char16_t* BaseObjectClassName() const;
    // Notification entry: a child reports (its id, code, parameters).
    virtual long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    // Repaint request entry: a child asks for rect to be repainted.
    virtual long OnControlUpdate(CRect rect, int redraw, MControl* control);
};

}  // namespace OXA
