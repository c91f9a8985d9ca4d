#pragma once
// The user's interface language as a language number (the Windows language
// identifiers the language files are named by).
#include "platform/cstring.h"

// The locale that names the user's message language: the first entry of
// LANGUAGE, else LC_ALL, LC_MESSAGES, LANG (the first one set). Empty for
// the "C" and "POSIX" locales.
CString UserLocaleName();

// The language number of a locale name such as "zh_TW.UTF-8" or "de_DE":
// Chinese by script or region (zh_TW, zh_HK, zh_MO, Hant → 1028; zh_CN,
// zh_SG, Hans and plain zh → 2052), every English locale 1033, other
// languages their usual number; 0 when the language is not known.
int LanguageNumberFromLocale(const CString& localeName);

// LanguageNumberFromLocale(UserLocaleName()).
int UserInterfaceLanguage();
