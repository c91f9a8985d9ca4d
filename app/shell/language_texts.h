#pragma once
// The interface language and the lookup of every user-visible text by its
// number in "language/<number>.lan" of the program folder.
//
// The current language number is one process-wide value: written on the UI
// thread (start-up, a language choice, a factory reset), read by every text
// lookup on any thread.
#include <vector>

#include "platform/cstring.h"

// The section that holds every text of the program.
inline const CString kDialogSection = u"KB.DIALOG"_qs;
constexpr int kEnglishLanguage = 1033;
// A text holds at most this many characters.
constexpr int kMaxTextLength = 259;

// The catalogue's offered languages and its default language, which becomes
// the current language until InitLanguage decides.
void SetLanguageCatalogue(const std::vector<int>& offered, int defaultLanguage);
std::vector<int> OfferedLanguages();
bool IsLanguageOffered(int language);

// The folder whose "language/" holds the text files.
void SetTextFolder(const CString& programFolder);
CString LanguageFilePath(int language);

int CurrentLanguage();
void SetCurrentLanguage(int language);

// Chooses the current language at start-up: the stored "LCID"; when none is
// stored, the user's interface language if it is offered, else English; a
// stored language that is not offered gives way to English. Whatever is
// chosen instead of the stored value is stored.
void InitLanguage(int userInterfaceLanguage);
// The same with the user's language from the locale.
void InitLanguage();

// Stores the language as "LCID".
void WriteLanguageNumber(int language);

// Text `number` of `section` in the current language's file, read afresh:
// at most 259 characters; empty when the file or the entry is missing.
CString GetText(int number, const CString& section = kDialogSection);
