#include "oxa/core/object.h"

#include <QStringView>

namespace OXA {

MObject::~MObject() = default;

int MObject::IsClass(const CString& name) const
{
    const char16_t* own = GetClassNameW();
    if (!own)
        return 0;
    return QStringView(own) == QStringView(name) ? 1 : 0;
}

const char16_t* MObject::GetClassNameW() const { return nullptr; }
const char16_t* MObject::GetObjectClass() const { return nullptr; }
const char16_t* MObject::BaseObjectClassName() const { return nullptr; }
long MObject::OnBaseMessage(unsigned, unsigned, unsigned, long) { return 0; }
long MObject::OnControlUpdate(CRect, int, MControl*) { return 0; }

}  // namespace OXA
