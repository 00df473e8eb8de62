#include <gtest/gtest.h>

#include <string>

#include "app/shell.h"
#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/specials.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "game/lines.h"
#include "tests/game_rounds.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace shell = kalup::shell;
using gametest::frameAt;
using gametest::holdSpace;

namespace {

int piecesIn(int firstRow, int lastRow)
{
    int pieces = 0;
    for (int row = firstRow; row <= lastRow; ++row)
        for (const Cell& cell : board[row])
            pieces += cell.kind != KIND_EMPTY;
    return pieces;
}

int highestKind()
{
    int highest = KIND_EMPTY;
    for (const auto& row : board)
        for (const Cell& cell : row)
            highest = std::max(highest, cell.kind);
    return highest;
}

std::string shownLevelLine(int number)
{
    return "Level " + std::to_string(number) + " completed";
}

} // namespace

TEST(RoundStart, ResetsTheRoundsTimersFlagsAndSlides)
{
    boardtest::needSounds();
    gametest::freshRun();
    game::riseInterval = 1.5;
    game::ffOver = true;
    game::clearSoundPlayed = true;
    game::feedArmed = true;
    game::hudY = 15;
    game::panelSlide = 0;
    boardAlpha = 1.0f;
    boardCleared = false;
    gametest::startRoundAt(game::MODE_CLASSIC, 42.0);
    EXPECT_EQ(game::riseInterval, 3.0);
    EXPECT_FALSE(game::ffOver);
    EXPECT_EQ(game::ffStartTime, 42.0);
    EXPECT_FALSE(game::clearSoundPlayed);
    EXPECT_EQ(lastClickTime, 42.0);
    EXPECT_FALSE(game::feedArmed);
    EXPECT_EQ(game::roundStartTime, 42.0);
    EXPECT_EQ(game::panelSlide, -256);
    EXPECT_EQ(game::hudY, -20);
    EXPECT_EQ(boardAlpha, 0.0f);
    EXPECT_EQ(harness::timesPlayed(kalup::sound::snd12), 1);
}

TEST(RoundStart, LeavesScoreAndTheRunLongStateAlone)
{
    gametest::freshRun();
    game::score = 77;
    game::feedInterval = 1.5;
    game::lastFeedTime = 9.0;
    game::lastRiseTime = 8.0;
    feedActive = true;
    paintQueue = {KIND_PAINT_1, 3, 4};
    gametest::startRoundAt(game::MODE_REMOVE_TWO, 50.0);
    EXPECT_EQ(game::score, 77);
    EXPECT_EQ(game::feedInterval, 1.5);
    EXPECT_EQ(game::lastFeedTime, 9.0);
    EXPECT_EQ(game::lastRiseTime, 8.0);
    EXPECT_TRUE(feedActive);
    EXPECT_EQ(paintQueue, (std::vector<int>{KIND_PAINT_1, 3, 4}));
}

TEST(RoundStart, DealsThreeColoursInClassicAndSurvivalAndFourInRemoveTwo)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_REMOVE_TWO, 10.0);
    EXPECT_EQ(piecesIn(0, 8), ROWS * COLS);
    EXPECT_EQ(highestKind(), KIND_COLOUR_3);

    gametest::startRoundAt(game::MODE_FF, 11.0);
    EXPECT_EQ(piecesIn(0, 5), 0);
    EXPECT_EQ(piecesIn(6, 8), 3 * COLS);
    EXPECT_EQ(highestKind(), KIND_COLOUR_2);

    gametest::startRoundAt(game::MODE_CLASSIC, 12.0);
    EXPECT_EQ(piecesIn(0, 8), ROWS * COLS);
    for (const auto& row : board)
        for (const Cell& cell : row)
            EXPECT_NE(cell.kind, KIND_COLOUR_3);

    gametest::startRoundAt(1, 13.0);
    EXPECT_EQ(piecesIn(0, 8), 0) << "there is no mode 1: nothing is dealt";
}

TEST(RoundStart, NoClickIsTakenInItsFirstFourTenthsOfASecond)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 20.0);
    harness::input().button = true;
    harness::input().time = 20.3;
    EXPECT_FALSE(acceptClick());
    harness::input().time = 20.41;
    EXPECT_TRUE(acceptClick());
}

TEST(Levels, ClearedBoardAdvancesTheLevelAtTheNextRoundStartOnly)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 10.0);
    EXPECT_EQ(game::level, 0);
    boardCleared = true;
    gametest::startRoundAt(game::MODE_CLASSIC, 11.0);
    EXPECT_EQ(game::level, 1);
    EXPECT_FALSE(boardCleared);
    gametest::startRoundAt(game::MODE_CLASSIC, 12.0);
    EXPECT_EQ(game::level, 1) << "a round after no more moves keeps its level";
}

TEST(Levels, FortyNineClearedWrapsToZeroAtOnce)
{
    gametest::freshRun();
    game::level = 49;
    boardCleared = true;
    gametest::startRoundAt(game::MODE_CLASSIC, 10.0);
    EXPECT_EQ(game::level, 0);
    EXPECT_EQ(std::string(game::levelCompletedLine().text), shownLevelLine(1));
}

TEST(Levels, ClassicLevelScreenCountsOneToFiftyThenOneAgain)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 10.0);
    double time = 10.0;
    for (int cleared = 1; cleared <= 51; ++cleared) {
        clearBoard();
        holdSpace(false);
        frameAt(time += 0.1);
        const int shown = cleared <= 50 ? cleared : cleared - 50;
        ASSERT_EQ(std::string(game::levelCompletedLine().text), shownLevelLine(shown)) << "board " << cleared;
        holdSpace(true);
        frameAt(time += 0.1);
    }
}

TEST(GameStarters, RemoveTwoAndSurvivalBeginAtLevelOneClassicAtZero)
{
    gametest::freshRun();
    shell::startRemoveTwoGame();
    EXPECT_EQ(game::level, 1);
    EXPECT_EQ(game::panelSlide, -256);
    shell::returnToMenu();
    EXPECT_EQ(game::level, 0);
    shell::startFfGame();
    EXPECT_EQ(game::level, 1);
    shell::returnToMenu();
    shell::startClassicGame();
    EXPECT_EQ(game::level, 0);
    EXPECT_EQ(std::string(game::levelCompletedLine().text), shownLevelLine(1));
}
