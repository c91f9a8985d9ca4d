#pragma once
// Creation of controls by class name, in the fixed order of each factory.
#include "oxa/core/control.h"

namespace OXA {

// Constructs one class: parent, id, rect, title, visible, enabled (each class
// takes the arguments it needs).
using ControlCreator = MControl* (*)(MObject* parent, unsigned id, CRect rect, const CString& title, int visible,
                                     int enabled);

// The dialog's factory; null for empty, unknown or not-yet-built names.
OXA_API MControl* CreateDialogControl(const CString& className, MObject* parent, unsigned id, CRect rect,
                                      const CString& title, int visible, int enabled);
// The panel's factory.
OXA_API MControl* CreatePanelControl(const CString& className, MObject* parent, unsigned id, CRect rect,
                                     const CString& title, int visible, int enabled);
// Position of a name in a factory's list, -1 when that factory refuses it.
OXA_API int DialogFactoryIndex(const CString& className);
OXA_API int PanelFactoryIndex(const CString& className);
// Installs the constructor of a class named in the factories' lists (used
// by the classes built on this core); false for names not in either list.
OXA_API bool SetControlCreator(const CString& className, ControlCreator creator);

}  // namespace OXA
