#include "game/lines.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "board/play.h"
#include "data/language.h"
#include "game/game_state.h"

namespace kalup::game {

namespace {

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Bytes a UTF-8 character takes, judged by its first byte.
int characterLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// A cut may have split the last character; the font would read garbage for it.
void dropSplitCharacter(char* text)
{
    std::size_t end = std::strlen(text);
    std::size_t start = end;
    while (start > 0 && isContinuationByte(static_cast<unsigned char>(text[start - 1])))
        --start;
    if (start == 0)
        return;
    const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
    if (lead >= 0xC0 && static_cast<std::size_t>(characterLength(lead)) > end - start + 1)
        text[start - 1] = '\0';
}

// The survival time split as the screens show it: whole minutes, then whole
// seconds modulo 60.
int survivalMinutes() { return static_cast<int>(survivalTime * (1.0 / 60.0)); }
int survivalSeconds() { return static_cast<int>(survivalTime) % 60; }

} // namespace

Line composeLine(const char* format, ...)
{
    Line line{};
    va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(line.text, LINE_CAPACITY, format, args);
    va_end(args);
    if (wanted >= LINE_CAPACITY)
        dropSplitCharacter(line.text);
    return line;
}

Line levelCompletedLine()
{
    return composeLine("%s %i %s", language::text(language::TEXT_LEVEL), level + 1,
                       language::text(language::TEXT_COMPLETED));
}

Line survivalResultLine() { return composeLine("%d:%d", survivalMinutes(), survivalSeconds()); }

Line survivalTimerLine()
{
    return composeLine("%d mins %d secs", survivalMinutes(), survivalSeconds());
}

Line scoreLine() { return composeLine("%i", play::score); }

} // namespace kalup::game
