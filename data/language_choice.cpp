#include "data/language_choice.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "data/language.h"

namespace kalup::language {

namespace {

bool allLetters(std::string_view part)
{
    for (const char c : part)
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return false;
    return !part.empty();
}

bool isCLocale(std::string_view locale)
{
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.") || locale.starts_with("C@");
}

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::vector<std::string> filesFor(std::string_view locale)
{
    if (isCLocale(locale))
        return {ENGLISH_FILE};
    // language[_REGION][.codeset][@modifier]; a hyphen as the players of
    // other systems write the region.
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t split = locale.find_first_of("_-");
    std::string code(locale.substr(0, split));
    std::string region(split == std::string_view::npos ? "" : locale.substr(split + 1));
    // Only letters ever become part of a file name.
    if (!allLetters(code) || code.size() > 3 || (!region.empty() && !allLetters(region)))
        return {};
    for (char& c : code)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : region)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (code == "en")
        return {ENGLISH_FILE};
    std::vector<std::string> files;
    if (!region.empty())
        files.push_back(code + "_" + region + ".xml");
    files.push_back(code + ".xml");
    if (code == "ru")
        files.push_back("russian.xml");
    return files;
}

std::string chooseLanguageFile(std::string_view requested, const std::function<bool(const std::string&)>& available)
{
    std::vector<std::string> asked;
    if (!requested.empty()) {
        asked.emplace_back(requested);
    } else {
        std::string locale;
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            if (locale.empty())
                locale = variable(name);
        if (!locale.empty() && !isCLocale(locale)) {
            const std::string list = variable("LANGUAGE");
            for (std::size_t start = 0; start <= list.size();) {
                const std::size_t end = std::min(list.find(':', start), list.size());
                if (end > start)
                    asked.push_back(list.substr(start, end - start));
                start = end + 1;
            }
        }
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            asked.push_back(variable(name));
    }
    for (const std::string& locale : asked) {
        if (locale.empty())
            continue;
        for (const std::string& file : filesFor(locale))
            if (available(file))
                return file;
        // C or POSIX: untranslated, whatever comes after.
        if (isCLocale(locale))
            break;
    }
    return ENGLISH_FILE;
}

void chooseLanguage(std::string_view requested)
{
    languageFile = chooseLanguageFile(requested, [](const std::string& file) {
        std::error_code error;
        return std::filesystem::is_regular_file(file, error);
    });
    const bool englishAsked = filesFor(requested) == std::vector<std::string>{ENGLISH_FILE};
    if (!requested.empty() && languageFile == ENGLISH_FILE && !englishAsked)
        std::fprintf(stderr, "kalup: there are no texts in the language '%.*s': the game speaks English\n",
            static_cast<int>(requested.size()), requested.data());
}

} // namespace kalup::language
