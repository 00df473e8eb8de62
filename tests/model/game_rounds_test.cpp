#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/board.h"
#include "board/play.h"
#include "board/specials.h"
#include "game/game_state.h"
#include "game/scene.h"
#include "game/update.h"
#include "tests/board_picture.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace play = kalup::play;
using boardtest::noMoves;

namespace {

// The record the rounds' line keeps, as the record file holds it in the game.
int classicRecord = 0;

// Moves everywhere and room at the top.
const boardtest::Picture roomAtTheTop = {
    "............", "............", "............", "000000000000", "111111111111",
    "222222222222", "000000000000", "111111111111", "222222222222",
};

// A round as at program start, played by the frames below.
class Round : public testing::Test {
protected:
    void SetUp() override
    {
        round = game::Round{};
        classicRecord = 0;
        boardtest::events().clear();
        input = {};
        pointAt(0, 0);
    }

    static void roundAt(int mode, double time, boardtest::Picture rows)
    {
        round.board.gameMode = mode;
        game::startRound(round, time, boardtest::events());
        setBoard(mode, rows);
    }
    // The board from a picture, and no points yet.
    static void setBoard(int mode, boardtest::Picture rows)
    {
        boardtest::setBoard(round.board, mode, rows);
        round.score = 0;
    }
    // The last frame's result.
    static game::FrameResult frameAt(double time, int frames = 1)
    {
        input.now = time;
        game::Scene scene;
        game::FrameResult result;
        for (int i = 0; i < frames; ++i)
            result = game::updateGame(round, input, boardtest::events(), scene, classicRecord);
        return result;
    }
    static void holdSpace(bool held) { input.continuing = held; }
    // The cursor over a cell, as the main loop leaves it for the frame.
    static void pointAt(int row, int col) { input.pointerX = homeXOf(col), input.pointerY = 64 * row + 20; }
    static inline game::Round round;
    // What the frames get from the player.
    static inline game::FrameInput input{};
};

using FeedTimer = Round;
using Survival = Round;
using ClassicRecord = Round;
using EndScreen = Round;

} // namespace

TEST_F(FeedTimer, ArmsTenSecondsInAndReleasesOnlyWhenTheIntervalIsStrictlyExceeded)
{
    roundAt(play::MODE_REMOVE_TWO, 100.0, roomAtTheTop);
    frameAt(109.99);
    EXPECT_FALSE(round.feedArmed);
    frameAt(110.0);
    EXPECT_TRUE(round.feedArmed);
    EXPECT_EQ(round.lastFeedTime, 0.0) << "arming is not a release";
    const std::string before = boardtest::boardPicture(round.board);
    frameAt(110.0);
    EXPECT_EQ(round.lastFeedTime, 110.0) << "tested again on the next frame";
    EXPECT_EQ(boardtest::events().timesPlayed(Sound::FeedReleased), 1);
    EXPECT_EQ(boardtest::boardPicture(round.board), before) << "an empty feed row only deals";
    const Cell* feed = round.board.feedRow;
    EXPECT_EQ(std::count_if(feed, feed + COLS, [](const Cell& c) { return c.kind != KIND_EMPTY; }), COLS);
    frameAt(112.0);
    EXPECT_EQ(round.lastFeedTime, 110.0) << "exactly one interval is not enough";
    frameAt(112.0 + 1.0 / 64);
    EXPECT_EQ(round.lastFeedTime, 112.0 + 1.0 / 64);
    EXPECT_EQ(boardtest::events().timesPlayed(Sound::FeedReleased), 2);
}

TEST_F(FeedTimer, IntervalLosesATenthAtEveryContinueFromAClearedBoardForTheWholeRun)
{
    game::startGame(round, play::MODE_REMOVE_TWO, 0.0, boardtest::events());
    EXPECT_EQ(round.level, 1) << "remove-two and survival games begin at level one";
    clearBoard(round.board);
    frameAt(101.0, 3);
    EXPECT_EQ(boardtest::events().timesPlayed(Sound::BoardCleared), 1) << "once per cleared board";
    holdSpace(true);
    frameAt(102.0);
    EXPECT_DOUBLE_EQ(round.feedInterval, 1.9);
    setBoard(play::MODE_REMOVE_TWO, noMoves);
    frameAt(103.0);
    EXPECT_EQ(round.roundStartTime, 103.0);
    EXPECT_DOUBLE_EQ(round.feedInterval, 1.9) << "no more moves keeps it";
    game::endGame(round);
    game::startGame(round, play::MODE_SURVIVAL, 103.0, boardtest::events());
    EXPECT_EQ(round.level, 1);
    game::endGame(round);
    game::startGame(round, play::MODE_REMOVE_TWO, 103.0, boardtest::events());
    EXPECT_DOUBLE_EQ(round.feedInterval, 1.9) << "a new game keeps it";
    double time = 105.0;
    for (int i = 0; i < 19; ++i) {
        clearBoard(round.board);
        frameAt(time += 1.0);
    }
    EXPECT_LE(round.feedInterval, 1e-9) << "there is no lower bound";
    holdSpace(false);
    setBoard(play::MODE_REMOVE_TWO, roomAtTheTop);
    frameAt(time += 10.0);
    for (int frame = 0; frame < 3; ++frame) {
        frameAt(time += 1.0 / 70);
        EXPECT_EQ(round.lastFeedTime, time) << "a release on every frame";
    }
}

TEST_F(Survival, RisesEveryIntervalShorteningItAndANewRoundRisesAtOnceWhenTheLastRiseIsOld)
{
    round.lastRiseTime = 10.0;
    roundAt(play::MODE_SURVIVAL, 50.0, roomAtTheTop);
    frameAt(50.0);
    EXPECT_EQ(round.lastRiseTime, 50.0);
    EXPECT_DOUBLE_EQ(round.riseInterval, 2.99);
    EXPECT_EQ(round.board.board[2][0].kind, 0) << "the board moved up a row";
    const double due = 50.0 + round.riseInterval;
    frameAt(due - 0.01);
    EXPECT_EQ(round.lastRiseTime, 50.0);
    EXPECT_EQ(round.survivalTime, due - 0.01 - 50.0);
    frameAt(due);
    EXPECT_EQ(round.lastRiseTime, due);
    EXPECT_DOUBLE_EQ(round.riseInterval, 2.98);
}

TEST_F(Survival, BlockedRiseEndsTheRoundWithTheBoardInPlaceAndTheTimeFrozen)
{
    roundAt(play::MODE_SURVIVAL, 50.0, noMoves);
    round.lastRiseTime = 49.0;
    frameAt(53.5);
    EXPECT_TRUE(round.survivalOver);
    EXPECT_EQ(boardtest::boardPicture(round.board), boardtest::picture(noMoves));
    EXPECT_EQ(round.panelSlide, -256) << "the end screen shows from the next frame";
    round.board.paintQueue = {KIND_PAINT_1, 8, 0};
    frameAt(70.0);
    EXPECT_EQ(round.survivalTime, 3.5);
    EXPECT_EQ(round.panelSlide, -240);
    EXPECT_EQ(round.board.paintQueue.size(), 3u) << "the lost screen stops the board";
    holdSpace(true);
    frameAt(71.0);
    EXPECT_FALSE(round.survivalOver);
    EXPECT_EQ(round.survivalTime, 0.0);
}

TEST_F(ClassicRecord, FollowsTheScoreOnTheFramesThatDrawTheLineOnly)
{
    roundAt(play::MODE_CLASSIC, 90.0, roomAtTheTop);
    pointAt(8, 0);
    input.pressed = true;
    frameAt(100.0);
    EXPECT_GT(round.score, 0);
    EXPECT_EQ(classicRecord, 0) << "the line was drawn before the click";
    input.pressed = false;
    frameAt(100.1);
    EXPECT_EQ(classicRecord, round.score);
    setBoard(play::MODE_CLASSIC, noMoves);
    classicRecord = 10;
    round.score = 40;
    frameAt(100.2, 3);
    EXPECT_EQ(classicRecord, 10) << "no line under no more moves";
    holdSpace(true);
    frameAt(100.5);
    EXPECT_EQ(classicRecord, 10) << "nor on the continuing frame";
    holdSpace(false);
    frameAt(100.6);
    EXPECT_EQ(classicRecord, 40) << "caught up on the next round's first frame";
    roundAt(play::MODE_REMOVE_TWO, 101.0, roomAtTheTop);
    round.score = 500;
    frameAt(101.0, 3);
    EXPECT_EQ(round.hudY, -17) << "remove-two draws the line";
    EXPECT_EQ(classicRecord, 40) << "but never raises the record";
}

TEST_F(EndScreen, SlidesRestUntilTheNextRoundStarts)
{
    roundAt(play::MODE_CLASSIC, 90.0, roomAtTheTop);
    frameAt(100.0);
    EXPECT_EQ(round.hudY, -19);
    frameAt(100.0, 40);
    EXPECT_EQ(round.hudY, 15);
    setBoard(play::MODE_CLASSIC, noMoves);
    frameAt(100.0);
    EXPECT_EQ(400 + round.panelSlide, 160) << "the panel comes in from x = 160";
    frameAt(100.0, 20);
    EXPECT_EQ(round.panelSlide, 0);
    setBoard(play::MODE_CLASSIC, roomAtTheTop);
    frameAt(100.0, 5);
    setBoard(play::MODE_CLASSIC, noMoves);
    frameAt(100.0);
    EXPECT_EQ(round.panelSlide, 0) << "shown again at rest";
    EXPECT_EQ(round.hudY, 15);
    holdSpace(true);
    frameAt(100.5);
    EXPECT_EQ(round.panelSlide, -256);
    EXPECT_EQ(round.hudY, -20);
}

TEST_F(EndScreen, HeldSpaceContinuesEveryScreenAndOnlyClearedBoardsStepTheLevelWrappingAfterFortyNine)
{
    roundAt(play::MODE_CLASSIC, 90.0, roomAtTheTop);
    holdSpace(true);
    for (int screen = 1; screen <= 3; ++screen) {
        clearBoard(round.board);
        holdSpace(false);
        frameAt(100.0 + screen);
        EXPECT_TRUE(round.board.boardCleared) << "noted by the frame that found the board empty";
        holdSpace(true);
        frameAt(100.0 + screen);
        EXPECT_EQ(round.level, screen);
        setBoard(play::MODE_CLASSIC, noMoves);
        frameAt(110.0 + screen);
        EXPECT_EQ(round.roundStartTime, 110.0 + screen) << "continued on the screen's first frame";
        EXPECT_EQ(round.level, screen) << "no more moves keeps the level";
    }
    round.level = 48;
    // The level screen shows level + 1 (tests/screen_lines_test.cpp).
    for (int shown : {50, 1}) {
        clearBoard(round.board);
        frameAt(120.0);
        EXPECT_EQ(round.level + 1, shown);
    }
    EXPECT_EQ(round.level, 0);
}

TEST_F(EndScreen, EveryFrameReportsTheEndScreenItShowedAndAContinueInEachMode)
{
    using enum game::EndScreen;
    const auto shown = [](const game::FrameResult& result) { return result.endScreen; };
    roundAt(play::MODE_CLASSIC, 90.0, roomAtTheTop);
    EXPECT_EQ(shown(frameAt(100.0)), std::nullopt) << "in play";
    setBoard(play::MODE_CLASSIC, noMoves);
    EXPECT_EQ(shown(frameAt(100.0, 3)), NoMoreMoves);
    setBoard(play::MODE_CLASSIC, roomAtTheTop);
    EXPECT_EQ(shown(frameAt(100.0)), std::nullopt) << "a move came back: the screen gave way";
    clearBoard(round.board);
    EXPECT_EQ(shown(frameAt(100.0)), LevelCompleted);
    holdSpace(true);
    const game::FrameResult continued = frameAt(100.5);
    EXPECT_EQ(shown(continued), LevelCompleted) << "shown in the frame that went on";
    EXPECT_TRUE(continued.continued);
    EXPECT_FALSE(frameAt(100.6).continued) << "the next round is in play";
    holdSpace(false);

    roundAt(play::MODE_REMOVE_TWO, 101.0, noMoves);
    EXPECT_EQ(shown(frameAt(101.0)), NoMoreMoves);
    clearBoard(round.board);
    EXPECT_EQ(shown(frameAt(101.0)), BoardCleared);

    roundAt(play::MODE_SURVIVAL, 102.0, noMoves);
    round.lastRiseTime = 99.0;
    const game::FrameResult lost = frameAt(102.5);
    EXPECT_TRUE(round.survivalOver);
    EXPECT_EQ(shown(lost), std::nullopt) << "the frame of the blocked rise shows no screen yet";
    EXPECT_EQ(shown(frameAt(102.6)), SurvivalOver);
    holdSpace(true);
    EXPECT_TRUE(frameAt(102.7).continued);
}
