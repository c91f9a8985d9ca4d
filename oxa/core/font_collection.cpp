#include "oxa/core/font_collection.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QRawFont>

#include "oxa/core/library_resources.h"
#include "oxa/core/manager.h"

namespace OXA {
namespace {
std::mutex& RegistryMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::map<CString, FontFamily>& Registered()
{
    static std::map<CString, FontFamily> registered;
    return registered;
}
}  // namespace

FontFamily RegisterFontFile(const CString& file)
{
    std::lock_guard<std::mutex> lock(RegistryMutex());
    auto it = Registered().find(file);
    if (it != Registered().end())
        return it->second;
    FontFamily result;
    if (QFileInfo::exists(file)) {
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        if (!families.isEmpty()) {
            result.family = families.first();
            QFile f(file);
            if (f.open(QIODevice::ReadOnly)) {
                QRawFont raw(f.readAll(), 12);
                if (raw.isValid()) {
                    // The family's weight for this file's style (Semibold 600).
                    const int weight = QFontDatabase::weight(result.family, raw.styleName());
                    result.weight = weight > 0 ? weight : int(QFont::Normal);
                    result.italic = raw.style() != QFont::StyleNormal;
                }
            }
        }
    }
    if (!result.family.isEmpty())
        Registered().emplace(file, result);
    return result;
}

FontCollection::FontCollection() = default;
FontCollection::~FontCollection() = default;

const FontFamily* FontCollection::AddTempFont(const CString& face, const CString& file)
{
    const FontFamily fam = RegisterFontFile(file);
    if (fam.family.isEmpty())
        return nullptr;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto& slot = m_families[face];
    slot = std::make_unique<FontFamily>(fam);
    return slot.get();
}

const FontFamily* FontCollection::AddTempFont(const CString& face, unsigned resourceId)
{
    const CString file = LibraryFontFile(resourceId);
    if (file.isEmpty())
        return nullptr;
    return AddTempFont(face, file);
}

const FontFamily* FontCollection::FindTempFont(const CString&)
{
    const CString face = Manager::GetFontName();
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_families.find(face);
    if (it != m_families.end())
        return it->second.get();
    // An installed family of that name, cached under it.
    if (!QFontDatabase::hasFamily(face))
        return nullptr;
    auto fam = std::make_unique<FontFamily>();
    fam->family = face;
    const FontFamily* result = fam.get();
    m_families.emplace(face, std::move(fam));
    return result;
}

int FontCollection::AddGDITempFont(unsigned resourceId)
{
    const CString file = LibraryFontFile(resourceId);
    return !file.isEmpty() && !RegisterFontFile(file).family.isEmpty() ? 1 : 0;
}

void FontCollection::Clear()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_families.clear();
}

void FontCollection::AddFolderFonts(const CString& fontFolder)
{
    static const struct {
        const char16_t* file;
        const char16_t* face;
    } kFonts[] = {
        {u"OpenSans-Regular.ttf", u"Open Sans"},
        {u"OpenSans-Light.ttf", u"Open Sans Light"},
        {u"OpenSans-Semibold.ttf", u"Open Sans Semibold"},
        {u"OpenSans-ExtraBold.ttf", u"Open Sans Extrabold"},
    };
    for (const auto& f : kFonts) {
        const CString path = fontFolder + QString::fromUtf16(f.file);
        if (QFileInfo::exists(path))
            AddTempFont(QString::fromUtf16(f.face), path);
    }
}

QFont MakeFont(const FontFamily* family, int pixelSize, int style)
{
    QFont font;
    if (family) {
        font.setFamilies(QStringList{family->family});
        font.setWeight(QFont::Weight(family->weight));
        font.setItalic(family->italic);
    }
    if (style & 1)
        font.setWeight(QFont::Bold);
    if (style & 2)
        font.setItalic(true);
    if (style & 4)
        font.setUnderline(true);
    font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace OXA
