#include "app/shell/language_texts.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "app/shell/locale_language.h"
#include "app/shell/profile_string.h"
#include "platform/settings_file.h"

namespace {

std::atomic<int> g_current{0};

std::mutex g_lock;  // guards the two values below
std::vector<int> g_offered;
int g_default = 0;
CString g_textFolder;

// The language used when the wanted one is not offered: English, or, when
// the catalogue does not offer English, its default language or else its
// first one, so that texts always come from an offered file.
int FallbackLanguage()
{
    const std::lock_guard lock(g_lock);
    const auto offered = [](int l) { return std::find(g_offered.begin(), g_offered.end(), l) != g_offered.end(); };
    if (offered(kEnglishLanguage) || g_offered.empty()) return kEnglishLanguage;
    if (offered(g_default)) return g_default;
    return g_offered.front();
}

void UseAndStore(int language)
{
    SetCurrentLanguage(language);
    WriteLanguageNumber(language);
}

}  // namespace

void SetLanguageCatalogue(const std::vector<int>& offered, int defaultLanguage)
{
    {
        const std::lock_guard lock(g_lock);
        g_offered = offered;
        g_default = defaultLanguage;
    }
    SetCurrentLanguage(defaultLanguage);
}

std::vector<int> OfferedLanguages()
{
    const std::lock_guard lock(g_lock);
    return g_offered;
}

bool IsLanguageOffered(int language)
{
    const std::lock_guard lock(g_lock);
    return language != 0 && std::find(g_offered.begin(), g_offered.end(), language) != g_offered.end();
}

void SetTextFolder(const CString& programFolder)
{
    const std::lock_guard lock(g_lock);
    g_textFolder = programFolder;
}

CString LanguageFilePath(int language)
{
    const std::lock_guard lock(g_lock);
    return g_textFolder + u"/language/"_qs + QString::number(language) + u".lan"_qs;
}

int CurrentLanguage() { return g_current.load(); }

void SetCurrentLanguage(int language) { g_current.store(language); }

void InitLanguage(int userInterfaceLanguage)
{
    SetCurrentLanguage(ReadLanguageNumber());
    if (CurrentLanguage() == 0)
        UseAndStore(IsLanguageOffered(userInterfaceLanguage) ? userInterfaceLanguage : FallbackLanguage());
    if (!IsLanguageOffered(CurrentLanguage())) UseAndStore(FallbackLanguage());
}

void InitLanguage() { InitLanguage(UserInterfaceLanguage()); }

void WriteLanguageNumber(int language) { WriteRegistryText(u"LCID"_qs, QString::number(language)); }

CString GetText(int number, const CString& section)
{
    {
        const std::lock_guard lock(g_lock);
        if (g_textFolder.isEmpty()) return {};  // before start-up named the folder
    }
    return ReadProfileString(LanguageFilePath(CurrentLanguage()), section, QString::number(number), kMaxTextLength);
}
