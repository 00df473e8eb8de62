#include <gtest/gtest.h>

#include <string>

#include "app/shell.h"
#include "board/board.h"
#include "board/falling.h"
#include "board/specials.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "tests/game_rounds.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace sound = kalup::sound;
using gametest::frameAt;
using gametest::framesAt;

namespace {

// Every column has room at the top; pairs everywhere, so moves are left.
const boardtest::Picture roomAtTheTop = {
    "............", "............", "............",
    "000000000000", "111111111111", "222222222222",
    "000000000000", "111111111111", "222222222222",
};

// A remove-two round started at `start`, then the board replaced.
void removeTwoRound(double start, boardtest::Picture rows)
{
    gametest::startRoundAt(game::MODE_REMOVE_TWO, start);
    boardtest::setBoard(game::MODE_REMOVE_TWO, rows);
}

int feedPieces()
{
    int pieces = 0;
    for (const Cell& slot : feedRow)
        pieces += slot.kind != KIND_EMPTY;
    return pieces;
}

// Clears the board and continues from the level-up screen with space.
void continueFromClearedBoard(double time)
{
    clearBoard();
    gametest::holdSpace(true);
    frameAt(time);
    gametest::holdSpace(false);
}

} // namespace

TEST(FeedTimer, ArmsTenSecondsAfterTheRoundStartAndReleasesOnTheNextFrame)
{
    boardtest::needSounds();
    gametest::freshRun();
    removeTwoRound(100.0, roomAtTheTop);
    for (double time : {100.0, 105.0, 109.99}) {
        frameAt(time);
        EXPECT_FALSE(game::feedArmed) << time;
    }
    frameAt(110.0);
    EXPECT_TRUE(game::feedArmed);
    EXPECT_EQ(game::lastFeedTime, 0.0) << "arming is not a release";
    EXPECT_EQ(harness::timesPlayed(sound::sndLinefall), 0);
    frameAt(110.0);
    EXPECT_EQ(game::lastFeedTime, 110.0);
    EXPECT_EQ(harness::timesPlayed(sound::sndLinefall), 1);
}

TEST(FeedTimer, ReleaseWaitsUntilTheIntervalIsStrictlyExceeded)
{
    boardtest::needSounds();
    gametest::freshRun();
    removeTwoRound(100.0, roomAtTheTop);
    game::lastFeedTime = 109.0;
    frameAt(110.0);
    ASSERT_TRUE(game::feedArmed);
    frameAt(110.5);
    frameAt(111.0);
    EXPECT_EQ(game::lastFeedTime, 109.0) << "exactly one interval is not enough";
    frameAt(111.0 + 1.0 / 64);
    EXPECT_EQ(game::lastFeedTime, 111.0 + 1.0 / 64);
    EXPECT_EQ(harness::timesPlayed(sound::sndLinefall), 1);
}

TEST(FeedTimer, RunsInEveryModeButOnlyRemoveTwoSoundsIt)
{
    boardtest::needSounds();
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 100.0);
    frameAt(110.0);
    frameAt(110.5);
    EXPECT_EQ(game::lastFeedTime, 110.5);
    EXPECT_TRUE(feedActive) << "nothing in classic takes the release";
    EXPECT_EQ(harness::timesPlayed(sound::sndLinefall), 0);
}

TEST(FeedTimer, ReleaseWithNoWaitingRowOnlyDealsOne)
{
    gametest::freshRun();
    removeTwoRound(100.0, roomAtTheTop);
    const std::string before = boardtest::boardPicture();
    ASSERT_EQ(feedPieces(), 0);
    frameAt(110.0);
    frameAt(110.0);
    EXPECT_FALSE(feedActive);
    EXPECT_EQ(boardtest::boardPicture(), before) << "no piece reached the board";
    EXPECT_EQ(feedPieces(), COLS) << "a row now waits above the board";
    for (const Cell& slot : feedRow)
        EXPECT_EQ(slot.y, 12);
}

TEST(FeedTimer, ReleaseLeftOverFromAnotherModeDealsOnTheFirstFrame)
{
    gametest::freshRun();
    feedActive = true;
    gametest::startRoundAt(game::MODE_REMOVE_TWO, 100.0);
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomAtTheTop);
    feedActive = true;
    frameAt(100.0);
    EXPECT_FALSE(feedActive);
    EXPECT_EQ(feedPieces(), COLS);
}

TEST(FeedInterval, EveryContinueFromAClearedBoardTakesATenthOff)
{
    boardtest::needSounds();
    gametest::freshRun();
    removeTwoRound(100.0, roomAtTheTop);
    clearBoard();
    framesAt(5, 101.0);
    EXPECT_EQ(harness::timesPlayed(sound::sndJump), 1) << "once per cleared board";
    EXPECT_EQ(game::feedInterval, 2.0);
    continueFromClearedBoard(102.0);
    EXPECT_DOUBLE_EQ(game::feedInterval, 1.9);
    clearBoard();
    framesAt(3, 103.0);
    EXPECT_EQ(harness::timesPlayed(sound::sndJump), 2);
}

TEST(FeedInterval, ContinueFromNoMoreMovesKeepsIt)
{
    gametest::freshRun();
    removeTwoRound(100.0, gametest::noMoves);
    gametest::holdSpace(true);
    frameAt(101.0);
    EXPECT_EQ(game::feedInterval, 2.0);
    EXPECT_EQ(game::roundStartTime, 101.0) << "the round was continued";
}

TEST(FeedInterval, SurvivesTheMenuAndNewGames)
{
    gametest::freshRun();
    kalup::shell::startRemoveTwoGame();
    double time = 100.0;
    for (int i = 0; i < 3; ++i)
        continueFromClearedBoard(time += 1.0);
    kalup::shell::returnToMenu();
    kalup::shell::startRemoveTwoGame();
    EXPECT_DOUBLE_EQ(game::feedInterval, 1.7);
}

TEST(FeedInterval, AfterTwentyContinuesAReleaseFallsDueOnEveryFrame)
{
    gametest::freshRun();
    removeTwoRound(100.0, roomAtTheTop);
    double time = 100.0;
    for (int i = 0; i < 20; ++i)
        continueFromClearedBoard(time += 0.5);
    EXPECT_LE(game::feedInterval, 0.0) << "there is no lower bound";
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomAtTheTop);
    time = game::roundStartTime + 10.0;
    frameAt(time);
    for (int frame = 0; frame < 5; ++frame) {
        time += 1.0 / 70;
        frameAt(time);
        EXPECT_EQ(game::lastFeedTime, time) << "frame " << frame;
    }
}

TEST(RemoveTwo, NoMoreMovesScreenStopsTheBoardButAClearedBoardDoesNot)
{
    gametest::freshRun();
    removeTwoRound(100.0, gametest::noMoves);
    paintQueue = {KIND_PAINT_2, 0, 0};
    frameAt(101.0);
    EXPECT_EQ(paintQueue.size(), 3u) << "no paint step under no more moves";
    clearBoard();
    paintQueue = {KIND_PAINT_2, 8, 0};
    frameAt(102.0);
    EXPECT_TRUE(paintQueue.empty()) << "the cleared board keeps settling";
}
