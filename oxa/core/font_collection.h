#pragma once
// A window's private fonts: font files registered under face names, and the
// lookup that gives every control the library-wide face.
#include <QFont>
#include <map>
#include <memory>
#include <mutex>

#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

// A face as the font system knows it: family and weight.
struct FontFamily {
    CString family;
    int weight = QFont::Normal;
    bool italic = false;
};

class OXA_API FontCollection {
public:
    FontCollection();
    ~FontCollection();
    FontCollection(const FontCollection&) = delete;
    FontCollection& operator=(const FontCollection&) = delete;

    // Registers the first family of a font file under face; null when the
    // file cannot be added or holds no family.
    const FontFamily* AddTempFont(const CString& face, const CString& file);
    // The same for a font resource of the library (106: the library face).
    const FontFamily* AddTempFont(const CString& face, unsigned resourceId);
    // The family registered under the library-wide face name, whatever face
    // is asked for; else the installed family of that name; else null.
    const FontFamily* FindTempFont(const CString& face);
    // Makes a library font resource available to all text of the process.
    int AddGDITempFont(unsigned resourceId);
    void Clear();

    // Adds the four Open Sans files of the font folder when present.
    void AddFolderFonts(const CString& fontFolder);

private:
    mutable std::recursive_mutex m_mutex;
    std::map<CString, std::unique_ptr<FontFamily>> m_families;
};

// A QFont of the given family, pixel size and style bits (1 bold, 2 italic,
// 4 underline); the default family when family is null.
OXA_API QFont MakeFont(const FontFamily* family, int pixelSize, int style);
// Registers a font file with the font system once per process; returns the
// first family it holds (empty family on failure).
OXA_API FontFamily RegisterFontFile(const CString& file);

}  // namespace OXA
