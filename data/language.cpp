#include "data/language.h"

#include <cstring>

#include <tinyxml.h>

#include "platform/dialog.h"

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

// A missing attribute gives an empty text; a longer one keeps its first
// 255 bytes, so every text fits its buffer with the terminating zero.
void copyText(TextKey key, const char* value)
{
    char* buffer = texts[key];
    std::memset(buffer, 0, TEXT_CAPACITY);
    if (value)
        std::strncpy(buffer, value, TEXT_CAPACITY - 1);
}

} // namespace

void loadLanguage()
{
    TiXmlDocument document(languageFiles[languageIndex]);
    // An unreadable file leaves the document empty, which the next step reports.
    document.LoadFile();

    TiXmlElement* translation = document.FirstChildElement("Translation");
    if (!translation) {
        dialog::messageBox("The game element Translation couldn't be found");
        return;
    }
    TiXmlElement* text = translation->FirstChildElement("Text");
    if (!text) {
        dialog::messageBox("The game element Text couldn't be found");
        return;
    }
    // Without a "string" element every text is empty.
    TiXmlElement* strings = text->FirstChildElement("string");
    for (int key = 0; key < TEXT_COUNT; ++key) {
        const char* value = strings ? strings->Attribute(keyNames[key]) : nullptr;
        copyText(static_cast<TextKey>(key), value);
    }
}

const char* text(TextKey key) { return texts[key]; }

} // namespace kalup::language
