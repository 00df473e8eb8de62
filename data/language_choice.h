#pragma once
// Which language file the player's locale asks for.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalup::language {

// The language files a locale name or language code asks for, best first:
// "pt_BR.UTF-8" asks for "pt_BR.xml", then "pt.xml"; "ru" for "ru.xml", then
// the older name "russian.xml"; English ("en", "en_GB") and the C and POSIX
// locales for "english.xml". A name that is not a language code asks for none.
std::vector<std::string> filesFor(std::string_view locale);

// The first file that `available` says is there, among those asked for by
// the requested code when there is one, else by the locale: each language
// of LANGUAGE's list in turn, then LC_ALL, LC_MESSAGES and LANG. When the
// locale is C or POSIX (the first of LC_ALL, LC_MESSAGES and LANG that is
// set says so, or none is set) LANGUAGE is not asked, as gettext does.
// English when nothing matches.
std::string chooseLanguageFile(std::string_view requested, const std::function<bool(const std::string&)>& available);

// Chooses among the files of the working directory and makes the choice
// the language file. A requested code with no file is reported on stderr.
void chooseLanguage(std::string_view requested);

} // namespace kalup::language
