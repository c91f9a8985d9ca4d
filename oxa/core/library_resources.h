#pragma once
// The library's own resources (the scroll bar pictures 101 and 102 and the
// library face 106) and the resources a program registers for itself.
#include <QByteArray>
#include <QImage>

#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

constexpr unsigned IDR_SCROLL_H = 101;  // 22 x 20, horizontal scroll bar
constexpr unsigned IDR_SCROLL_V = 102;  // 12 x 72, vertical scroll bar
constexpr unsigned IDR_FONT = 106;      // "Open Sans Semibold"

// A picture resource of the library; null for unknown ids.
OXA_API QImage LibraryImage(unsigned id);
// The font file behind a font resource of the library; empty when missing.
OXA_API CString LibraryFontFile(unsigned id);
// Resources of the program (icons, pictures), registered at start-up.
OXA_API void RegisterProgramResource(unsigned id, const CString& type, const QByteArray& data);
OXA_API QByteArray ProgramResource(unsigned id, const CString& type);

}  // namespace OXA
