#include "app/shell/locale_language.h"

#include <QStringList>

namespace {

struct PrimaryLanguage {
    const char16_t* code;
    int number;
};

// Languages by their main number; Chinese and English are decided apart.
constexpr PrimaryLanguage kLanguages[] = {
    {u"ar", 1025}, {u"cs", 1029}, {u"da", 1030}, {u"de", 1031}, {u"el", 1032}, {u"es", 3082},
    {u"fi", 1035}, {u"fr", 1036}, {u"he", 1037}, {u"hu", 1038}, {u"it", 1040}, {u"ja", 1041},
    {u"ko", 1042}, {u"nl", 1043}, {u"nb", 1044}, {u"no", 1044}, {u"pl", 1045}, {u"pt", 2070},
    {u"ru", 1049}, {u"sv", 1053}, {u"th", 1054}, {u"tr", 1055}, {u"uk", 1058}, {u"vi", 1066},
};

constexpr int kChineseSimplified = 2052;
constexpr int kChineseTraditional = 1028;
constexpr int kEnglish = 1033;
constexpr int kPortugueseBrazil = 1046;

bool IsPosixDefault(const CString& name) { return name == u"C"_qs || name == u"POSIX"_qs; }

}  // namespace

CString UserLocaleName()
{
    CString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(variable);
        if (!locale.isEmpty()) break;
    }
    const CString base = locale.section(u'.', 0, 0).section(u'@', 0, 0);
    if (base.isEmpty() || IsPosixDefault(base)) return {};
    // LANGUAGE orders the message languages, but only under a real locale.
    const CString preferred = qEnvironmentVariable("LANGUAGE").section(u':', 0, 0);
    return preferred.isEmpty() ? locale : preferred;
}

int LanguageNumberFromLocale(const CString& localeName)
{
    // "ll_RR.codeset@modifier", "ll-RR", "zh_Hant_TW", ...
    CString name = localeName.section(u'.', 0, 0).section(u'@', 0, 0);
    name.replace(u'-', u'_');
    const QStringList parts = name.split(u'_', Qt::SkipEmptyParts);
    if (parts.isEmpty()) return 0;
    const CString language = parts.front().toLower();
    const auto has = [&](const char16_t* part) {
        for (qsizetype i = 1; i < parts.size(); ++i)
            if (parts[i].compare(QStringView(part), Qt::CaseInsensitive) == 0) return true;
        return false;
    };

    if (language == u"zh"_qs) {
        if (has(u"Hant") || has(u"TW") || has(u"HK") || has(u"MO")) return kChineseTraditional;
        return kChineseSimplified;
    }
    if (language == u"en"_qs) return kEnglish;
    if (language == u"pt"_qs && has(u"BR")) return kPortugueseBrazil;
    for (const PrimaryLanguage& l : kLanguages)
        if (language == QStringView(l.code)) return l.number;
    return 0;
}

int UserInterfaceLanguage() { return LanguageNumberFromLocale(UserLocaleName()); }
