#include "game/lines.h"

#include <cstdarg>
#include <cstdio>

#include "data/language.h"
#include "platform/utf8.h"

namespace kalup::game {

namespace {

// The survival time split as the screens show it: whole minutes, then whole
// seconds modulo 60.
int survivalMinutes(double survivalTime) { return static_cast<int>(survivalTime * (1.0 / 60.0)); }
int survivalSeconds(double survivalTime) { return static_cast<int>(survivalTime) % 60; }

} // namespace

Line composeLine(const char* format, ...)
{
    Line line{};
    va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(line.text, LINE_CAPACITY, format, args);
    va_end(args);
    // A cut may have split the last character; the font would read past the end for it.
    if (wanted >= LINE_CAPACITY)
        line.text[utf8::cutBefore(line.text, LINE_CAPACITY - 1)] = '\0';
    return line;
}

Line levelCompletedLine(int level)
{
    return composeLine("%s %i %s", language::text(language::TEXT_LEVEL), level + 1,
                       language::text(language::TEXT_COMPLETED));
}

Line survivalResultLine(double survivalTime)
{
    return composeLine("%d:%d", survivalMinutes(survivalTime), survivalSeconds(survivalTime));
}

Line survivalTimerLine(double survivalTime)
{
    return composeLine("%d %s %d %s", survivalMinutes(survivalTime), language::text(language::TEXT_TIMER_MINS),
                       survivalSeconds(survivalTime), language::text(language::TEXT_TIMER_SECS));
}

Line scoreLine(int score) { return composeLine("%i", score); }

} // namespace kalup::game
