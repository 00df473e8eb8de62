#pragma once
// The interface texts, read once from the language file.
#include <cstddef>
#include <string>

namespace kalup::language {

// The keys in the order they are read.
enum TextKey {
    TEXT_TITLE,
    TEXT_CLASSIC_GAME,
    TEXT_REMOVE2_GAME,
    TEXT_SURVIVAL_GAME,
    TEXT_SCORE,
    TEXT_HISCORE,
    TEXT_NO_MORE_MOVES,
    TEXT_GAME_OVER,
    TEXT_CONGRATULATIONS_TEXT,
    TEXT_NEW_RECORD,
    TEXT_CONGRATULATIONS,
    TEXT_GAME_COMPLETED,
    TEXT_LEVEL_LABEL,
    TEXT_PRESS_SPACE,
    // The losing screens' headline, "Game Over", under the key "level_completed".
    TEXT_GAME_OVER_HEADLINE,
    TEXT_LEVEL,
    TEXT_COMPLETED,
    TEXT_TO_CONTINUE,
    TEXT_GAME_MODE,
    TEXT_SURV,
    TEXT_EXIT_LABEL,
    TEXT_PAUSED,
    TEXT_HELP_TITLE,
    TEXT_HELP_CLASSIC,
    TEXT_HELP_REMOVE2,
    TEXT_HELP_SURVIVAL,
    TEXT_HELP_SCORE,
    TEXT_HELP_BOMB,
    TEXT_HELP_DROP_BOMB,
    TEXT_HELP_PAINT,
    TEXT_HELP_CLOSE,
    TEXT_HELP_HINT,
    TEXT_BESTS_TITLE,
    TEXT_BESTS_OPEN,
    TEXT_BESTS_EMPTY,
    TEXT_BEST_LABEL,
    // The units of the survival timer, "2 mins 5 secs".
    TEXT_TIMER_MINS,
    TEXT_TIMER_SECS,
    TEXT_COUNT
};

inline constexpr int TEXT_CAPACITY = 256;

// The attribute name of each key, e.g. "classic_game".
extern const char* const keyNames[TEXT_COUNT];
// The file of the English texts, the one every other language falls back to.
inline constexpr const char* ENGLISH_FILE = "english.xml";
// The language file the game reads: English until the player's language is chosen.
extern std::string languageFile;
extern char texts[TEXT_COUNT][TEXT_CAPACITY];

// Reads the language file and shows the message of readTexts when it has
// one; a file that cannot be read (a FIFO, a file far too large) is also
// reported on stderr, with the reason. A key the file lacks (all of them
// when it is missing or damaged) takes the English file's text, read and
// reported the same way, and a key that file lacks too takes the game's own
// English text, for the keys added to the game since its first language
// file; an attribute present but empty stays empty. When no file gives a
// key its text, the text stays as it was.
void loadLanguage();
// Takes the texts from the bytes of a language file: the first "string"
// element inside the first "Text" inside the first "Translation" holds one
// attribute per key. A missing attribute gives an empty text. Every text
// is UTF-8: a file that is not is read as Latin-1. A longer text is cut to
// at most 255 bytes on a character boundary. Returns the message for a missing "Translation" or
// "Text" element, the texts then left as they were; null otherwise. A
// document that is not well-formed XML, or no document at all, has no
// "Translation".
const char* readTexts(const char* bytes, std::size_t size);
const char* text(TextKey key);
// Every text, one after another: the characters the fonts must hold.
std::string allTexts();

} // namespace kalup::language
