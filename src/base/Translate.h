#pragma once

#include <string>

namespace quorix {

// Marks a text for the catalog where it is only stored (a table of captions); Tr translates it
// where it is shown.
#define N_(text) text

// A text of the program in the user's language. The source texts are Russian: a language without
// a catalog, and Russian itself, keep them as they stand.
std::string Tr(const char* russian);

// Chooses the language of the program's texts before the first one is shown: language "" follows
// the user's wishes (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG), "ru", "en" or another code names
// one. localeDir holds the catalogs msgfmt compiles, <language>/LC_MESSAGES/quorix.mo. The
// process's locale and environment are left alone, so the system's own messages and the numbers
// and dates the program reads and writes do not change with it.
void SetUpTranslations(const std::string& localeDir, const std::string& language);

// The language the program's texts are shown in now: the catalog's, "ru" when none applies.
std::string ProgramLanguage();

}  // namespace quorix
