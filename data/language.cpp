#include "data/language.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <tinyxml2.h>

#include "platform/dialog.h"
#include "platform/file_bytes.h"
#include "platform/utf8.h"

namespace kalup::language {

const char* const keyNames[TEXT_COUNT] = {
    "title",
    "classic_game",
    "remove2_game",
    "ff_game",
    "score",
    "hiscore",
    "no_more_moves",
    "game_over",
    "congratulations_text",
    "new_record",
    "congratulations",
    "game_completed",
    "level_label",
    "press_space",
    "level_completed",
    "level",
    "completed",
    "to_continue",
    "game_mode",
    "surv",
    "exit_label",
    "paused",
    "help_title",
    "help_classic",
    "help_remove2",
    "help_survival",
    "help_score",
    "help_bomb",
    "help_drop_bomb",
    "help_paint",
    "help_close",
    "help_hint",
    "bests_title",
    "bests_open",
    "bests_empty",
    "best_label",
};

int languageIndex = 0;
char texts[TEXT_COUNT][TEXT_CAPACITY] = {};

namespace {

const char* const languageFiles[2] = {"english.xml", "russian.xml"};

// A file that is not UTF-8 says nothing of its character set; it is taken
// as Latin-1, the set whose every byte is a character, and converted.
std::string utf8FromLatin1(std::string_view bytes)
{
    std::string converted;
    converted.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            converted += c;
            continue;
        }
        converted += static_cast<char>(0xC0 | (byte >> 6));
        converted += static_cast<char>(0x80 | (byte & 0x3F));
    }
    return converted;
}

// Character references to no character (a surrogate, or past U+10FFFF)
// come out of the parser as bytes that are not UTF-8: they read as nothing.
std::string withoutBrokenCharacters(std::string_view value)
{
    std::string kept;
    while (!value.empty()) {
        const std::size_t length = utf8::wellFormedLength(value);
        kept.append(value.substr(0, length));
        value.remove_prefix(length > 0 ? length : 1);
    }
    return kept;
}

// A missing attribute gives an empty text; a longer one keeps as many of its
// first 255 bytes as end on a whole character, so every text fits its buffer
// with the terminating zero and the font never reads past its end.
void copyText(TextKey key, const char* value)
{
    char* buffer = texts[key];
    std::memset(buffer, 0, TEXT_CAPACITY);
    if (!value)
        return;
    std::string repaired;
    if (!utf8::isWellFormed(value)) {
        repaired = withoutBrokenCharacters(value);
        value = repaired.c_str();
    }
    std::size_t length = std::strlen(value);
    if (length >= TEXT_CAPACITY)
        length = utf8::cutBefore(value, TEXT_CAPACITY - 1);
    std::memcpy(buffer, value, length);
}

} // namespace

void loadLanguage()
{
    // The parser gets the bytes from a buffer of the game's own, with their
    // length, so no file can make it read beyond them. A file that cannot be
    // read gives nothing, which the message then reports.
    const char* file = languageFiles[languageIndex];
    std::string bytes, reason;
    if (file_bytes::readSmallFile(file, bytes, reason) != file_bytes::Read::Done)
        std::fprintf(stderr, "kalup: cannot read %s: %s\n", file, reason.c_str());
    if (const char* message = readTexts(bytes.data(), bytes.size()))
        dialog::messageBox(message);
}

const char* readTexts(const char* bytes, std::size_t size)
{
    std::string converted;
    if (!utf8::isWellFormed(std::string_view(bytes, size))) {
        converted = utf8FromLatin1(std::string_view(bytes, size));
        bytes = converted.data();
        size = converted.size();
    }
    tinyxml2::XMLDocument document;
    // A document that cannot be parsed is left empty, which the next step reports.
    document.Parse(bytes, size);

    const tinyxml2::XMLElement* translation = document.FirstChildElement("Translation");
    if (!translation)
        return "The game element Translation couldn't be found";
    const tinyxml2::XMLElement* text = translation->FirstChildElement("Text");
    if (!text)
        return "The game element Text couldn't be found";
    // Without a "string" element every text is empty.
    const tinyxml2::XMLElement* strings = text->FirstChildElement("string");
    for (int key = 0; key < TEXT_COUNT; ++key) {
        const char* value = strings ? strings->Attribute(keyNames[key]) : nullptr;
        copyText(static_cast<TextKey>(key), value);
    }
    return nullptr;
}

const char* text(TextKey key) { return texts[key]; }

} // namespace kalup::language
