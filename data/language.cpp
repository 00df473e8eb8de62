#include "data/language.h"

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
};

int languageIndex = 0;
char texts[TEXT_COUNT][TEXT_CAPACITY] = {};

namespace {

const char* const languageFiles[2] = {"english.xml", "russian.xml"};

// Character references to no character (a surrogate, or past U+10FFFF)
// come out of the parser as bytes that are not UTF-8: in a file that is
// UTF-8 they read as nothing.
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
void copyText(TextKey key, const char* value, bool utf8File)
{
    char* buffer = texts[key];
    std::memset(buffer, 0, TEXT_CAPACITY);
    if (!value)
        return;
    std::string repaired;
    if (utf8File && !utf8::isWellFormed(value)) {
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
    // read gives what could be read of it, or nothing.
    std::string bytes;
    file_bytes::readWhole(languageFiles[languageIndex], bytes);
    if (const char* message = readTexts(bytes.data(), bytes.size()))
        dialog::messageBox(message);
}

const char* readTexts(const char* bytes, std::size_t size)
{
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
    const bool utf8File = utf8::isWellFormed(std::string_view(bytes, size));
    for (int key = 0; key < TEXT_COUNT; ++key) {
        const char* value = strings ? strings->Attribute(keyNames[key]) : nullptr;
        copyText(static_cast<TextKey>(key), value, utf8File);
    }
    return nullptr;
}

const char* text(TextKey key) { return texts[key]; }

} // namespace kalup::language
