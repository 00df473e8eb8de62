// The numbers in the lines of the survival timer and the end screens.
#include <gtest/gtest.h>

#include <string>

#include "game/lines.h"
#include "tests/harness.h"

using namespace kalup;

TEST(ScreenLines, SurvivalTimeShowsWholeMinutesAndSecondsWithoutLeadingZeros)
{
    const struct { double time; const char* result; const char* timer; } rows[] = {
        {125.9, "2:5", "2 mins 5 secs"}, {59.99, "0:59", "0 mins 59 secs"}, {3600.0, "60:0", "60 mins 0 secs"}};
    harness::needDisplay();
    for (const auto& row : rows) {
        EXPECT_EQ(std::string(game::survivalResultLine(row.time).text), row.result) << row.time;
        EXPECT_EQ(std::string(game::survivalTimerLine(row.time).text), row.timer) << row.time;
    }
}

TEST(ScreenLines, LevelScreenShowsTheLevelPlusOne)
{
    harness::needDisplay();
    EXPECT_EQ(std::string(game::levelCompletedLine(49).text), "Level 50 completed");
    EXPECT_EQ(std::string(game::levelCompletedLine(0).text), "Level 1 completed");
}
