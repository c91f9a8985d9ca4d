#pragma once
// Places the gallery's controls: creates them by class name (the dialog's
// factory, else the panel's), puts a small caption above each, and keeps a
// record of every named control so that an outside driver can find it.
#include <cstdio>
#include <vector>

#include "oxa/core/control_font.h"

namespace OXA {
class MDialog;
}

namespace gallery {

using OXA::CRect;
using OXA::MControl;

// Layout constants shared by the sections.
constexpr int kHeadingHeight = 18;  // section heading line
constexpr int kCaptionHeight = 14;  // caption line above a control
constexpr int kGap = 8;             // space below a row

class GalleryBoard {
public:
    explicit GalleryBoard(OXA::MDialog& dialog);

    // A section heading from (x, y), width wide; returns the y below it.
    int Heading(int x, int y, int width, const CString& text);
    // A caption line just above rect; dim for a class the library lacks.
    void Caption(CRect rect, const CString& text, bool dim = false);

    // Creates className at rect with a caption above it. Returns null (and
    // shows a dim "not available" caption) when the library cannot make it.
    MControl* Create(const CString& className, unsigned id, CRect rect, const CString& title,
                     const CString& caption, const char* name, int enabled = 1);
    // Typed form of Create; null as well when the class is not T.
    template <typename T>
    T* Make(const char16_t* className, unsigned id, CRect rect, const CString& title, const CString& caption,
            const char* name, int enabled = 1)
    {
        return dynamic_cast<T*>(Create(CString::fromUtf16(className), id, rect, title, caption, name, enabled));
    }
    // Takes a control constructed by the gallery itself (attached to the
    // window, recorded under its own class name, captioned).
    template <typename T>
    T* Adopt(T* control, const CString& caption, const char* name)
    {
        Attach(control, caption, name);
        return control;
    }

    // One line per recorded control: "control name=... id=... class=...
    // rect=left,top,right,bottom".
    void Describe(std::FILE* out) const;
    OXA::MDialog& Dialog() { return m_dialog; }

private:
    struct Entry {
        CString name;
        unsigned id;
        CString className;
        CRect rect;
    };
    void Attach(MControl* control, const CString& caption, const char* name);
    void Record(MControl* control, const CString& className, const char* name);

    OXA::MDialog& m_dialog;
    unsigned m_nextCaptionId;
    std::vector<Entry> m_entries;
};

// The rect of a control whose caption starts at (x, y): the caption line
// takes the top, the control the height h below it.
inline CRect Below(int x, int y, int w, int h) { return CRect(x, y + kCaptionHeight, x + w, y + kCaptionHeight + h); }
// The y of the next row after a row of controls h high that starts at y.
inline int NextRow(int y, int h) { return y + kCaptionHeight + h + kGap; }

}  // namespace gallery
