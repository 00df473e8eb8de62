#pragma once
// Lines that put numbers into language texts. Every one is formatted into a
// buffer of 256 characters: a language text too long for it is cut, never
// written past the end.

namespace kalup::game {

inline constexpr int LINE_CAPACITY = 256;

struct Line {
    char text[LINE_CAPACITY];
};

// printf-style; a cut never ends inside a UTF-8 character.
Line composeLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "Level 3 completed" on the classic level screen: the shown number is level + 1.
Line levelCompletedLine(int level);
// The survival result "2:5": minutes and seconds, no leading zeros.
Line survivalResultLine(double survivalTime);
// The survival timer "2 mins 5 secs" at the top left, its units from the language file.
Line survivalTimerLine(double survivalTime);
// The score as the end screens show it.
Line scoreLine(int score);

} // namespace kalup::game
