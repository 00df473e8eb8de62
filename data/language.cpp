#include "data/language.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
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
    "timer_mins",
    "timer_secs",
};

std::string languageFile = ENGLISH_FILE;
char texts[TEXT_COUNT][TEXT_CAPACITY] = {};

namespace {

// The English texts of the keys added after the first language files were
// written: an older or damaged file must not leave the pause line, the help
// page or the bests without words.
constexpr std::array<const char*, TEXT_COUNT> builtInTexts = [] {
    std::array<const char*, TEXT_COUNT> builtIn{};
    builtIn[TEXT_PAUSED] = "Paused";
    builtIn[TEXT_HELP_TITLE] = "How to play";
    builtIn[TEXT_HELP_CLASSIC] = "Classic: each board you clear is a level.";
    builtIn[TEXT_HELP_REMOVE2] = "Falling Rows: new rows drop in, ever faster.";
    builtIn[TEXT_HELP_SURVIVAL] = "Survival: the board rises; hold out!";
    builtIn[TEXT_HELP_SCORE] = "A group of n like pieces scores n x n.";
    builtIn[TEXT_HELP_BOMB] = "Bomb: click to blast a cross around it.";
    builtIn[TEXT_HELP_DROP_BOMB] = "Drop bomb: blasts when it lands.";
    builtIn[TEXT_HELP_PAINT] = "Paint pot: click to paint a cross.";
    builtIn[TEXT_HELP_CLOSE] = "F1 or Escape closes this page";
    builtIn[TEXT_HELP_HINT] = "Press F1 to learn how to play";
    builtIn[TEXT_BESTS_TITLE] = "Best results";
    builtIn[TEXT_BESTS_OPEN] = "B: best results";
    builtIn[TEXT_BESTS_EMPTY] = "No results yet";
    builtIn[TEXT_BEST_LABEL] = "Best:";
    builtIn[TEXT_TIMER_MINS] = "mins";
    builtIn[TEXT_TIMER_SECS] = "secs";
    return builtIn;
}();

// What one language file says: its message when it has one, else the value
// of each key it holds.
struct FileTexts {
    const char* message = nullptr;
    std::array<std::optional<std::string>, TEXT_COUNT> values;
};

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
void copyText(int key, const char* value)
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

FileTexts parseTexts(const char* bytes, std::size_t size)
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

    FileTexts read;
    const tinyxml2::XMLElement* translation = document.FirstChildElement("Translation");
    if (!translation) {
        read.message = "The game element Translation couldn't be found";
        return read;
    }
    const tinyxml2::XMLElement* text = translation->FirstChildElement("Text");
    if (!text) {
        read.message = "The game element Text couldn't be found";
        return read;
    }
    // Without a "string" element the file holds no key.
    const tinyxml2::XMLElement* strings = text->FirstChildElement("string");
    for (int key = 0; key < TEXT_COUNT && strings; ++key)
        if (const char* value = strings->Attribute(keyNames[key]))
            read.values[key] = value;
    return read;
}

// The bytes of a language file, parsed; its message shown.
FileTexts readLanguageFile(const std::string& file)
{
    // The parser gets the bytes from a buffer of the game's own, with their
    // length, so no file can make it read beyond them. A file that cannot be
    // read gives nothing, which the message then reports.
    std::string bytes, reason;
    if (file_bytes::readSmallFile(file.c_str(), bytes, reason) != file_bytes::Read::Done)
        std::fprintf(stderr, "kalup: cannot read %s: %s\n", file.c_str(), reason.c_str());
    FileTexts read = parseTexts(bytes.data(), bytes.size());
    if (read.message)
        dialog::messageBox(read.message);
    return read;
}

bool holdsEveryKey(const FileTexts& read)
{
    for (const auto& value : read.values)
        if (!value)
            return false;
    return true;
}

} // namespace

void loadLanguage()
{
    const FileTexts chosen = readLanguageFile(languageFile);
    bool anyFileRead = !chosen.message;
    FileTexts english;
    if (languageFile != ENGLISH_FILE && !holdsEveryKey(chosen)) {
        english = readLanguageFile(ENGLISH_FILE);
        anyFileRead = anyFileRead || !english.message;
    }
    for (int key = 0; key < TEXT_COUNT; ++key) {
        if (chosen.values[key])
            copyText(key, chosen.values[key]->c_str());
        else if (english.values[key])
            copyText(key, english.values[key]->c_str());
        else if (builtInTexts[key])
            copyText(key, builtInTexts[key]);
        else if (anyFileRead)
            copyText(key, nullptr);
    }
}

const char* readTexts(const char* bytes, std::size_t size)
{
    const FileTexts read = parseTexts(bytes, size);
    if (read.message)
        return read.message;
    for (int key = 0; key < TEXT_COUNT; ++key)
        copyText(key, read.values[key] ? read.values[key]->c_str() : nullptr);
    return nullptr;
}

const char* text(TextKey key) { return texts[key]; }

std::string allTexts()
{
    std::string all;
    for (const char* text : texts)
        all += text;
    return all;
}

} // namespace kalup::language
