#include <gtest/gtest.h>

#include "app/shell.h"
#include "board/board.h"
#include "data/records.h"
#include "game/game_state.h"
#include "tests/game_rounds.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace records = kalup::records;
using gametest::frameAt;

namespace {

// Removing the pair at the bottom left leaves the one at the bottom right.
const boardtest::Picture twoPairs = {
    "012301230123", "123012301230", "230123012301",
    "301230123012", "012301230123", "123012301230",
    "230123012301", "301230123012", "112301230133",
};

} // namespace

TEST(ClassicRecord, FollowsTheScoreOnEveryFrameThatDrawsTheLine)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_CLASSIC, gametest::onePair);
    records::classicRecord = 10;
    game::score = 25;
    frameAt(100.0);
    EXPECT_EQ(records::classicRecord, 25);
    game::score = 30;
    frameAt(100.1);
    EXPECT_EQ(records::classicRecord, 30);
}

TEST(ClassicRecord, PointsOfAClickReachItOnTheNextFrame)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_CLASSIC, twoPairs);
    gametest::pointAtCell(8, 0);
    harness::input().button = true;
    frameAt(100.0);
    EXPECT_EQ(game::score, 4);
    EXPECT_EQ(records::classicRecord, 0) << "the line was drawn before the click";
    harness::input().button = false;
    frameAt(100.1);
    EXPECT_EQ(records::classicRecord, 4);
}

TEST(ClassicRecord, WaitsUnderNoMoreMovesAndCatchesUpOnTheNextRoundsFirstFrame)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 90.0);
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    records::classicRecord = 10;
    game::score = 40;
    gametest::framesAt(5, 100.0);
    EXPECT_EQ(records::classicRecord, 10);
    gametest::holdSpace(true);
    frameAt(100.5);
    EXPECT_EQ(game::roundStartTime, 100.5) << "space continued";
    EXPECT_EQ(records::classicRecord, 10) << "the continuing frame draws no line";
    gametest::holdSpace(false);
    frameAt(100.6);
    EXPECT_EQ(game::score, 40) << "the score is kept";
    EXPECT_EQ(records::classicRecord, 40);
}

TEST(ClassicRecord, LeavingFromNoMoreMovesLosesThePointsForGood)
{
    gametest::freshRun();
    kalup::shell::startClassicGame();
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    records::classicRecord = 10;
    game::score = 40;
    frameAt(100.0);
    kalup::shell::returnToMenu();
    kalup::shell::startClassicGame();
    EXPECT_EQ(game::score, 0);
    frameAt(100.1);
    EXPECT_EQ(records::classicRecord, 10);
}

TEST(ClassicRecord, RemoveTwoShowsItButNeverRaisesIt)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_REMOVE_TWO, gametest::onePair);
    records::classicRecord = 10;
    game::score = 500;
    gametest::framesAt(3, 100.0);
    EXPECT_EQ(records::classicRecord, 10);
    EXPECT_EQ(game::hudY, -17) << "the line was drawn";
}

TEST(Score, BelongsToTheGameNotTheRound)
{
    gametest::freshRun();
    kalup::shell::startClassicGame();
    game::score = 30;
    clearBoard();
    frameAt(100.0);
    gametest::holdSpace(true);
    frameAt(100.1);
    EXPECT_EQ(game::level, 1);
    EXPECT_EQ(game::score, 30);
    gametest::holdSpace(false);
    kalup::shell::returnToMenu();
    kalup::shell::startClassicGame();
    EXPECT_EQ(game::score, 0);
}
