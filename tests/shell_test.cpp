// The main loop: pacing, the keys of the shell, the mouse and the screens.
#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/shell.h"
#include "board/board.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "tests/harness.h"

using namespace kalup;
using seam::Key;

namespace {

class MainLoop : public testing::Test {
protected:
    void SetUp() override
    {
        harness::needResources();
        shell::screenState = shell::SCREEN_MENU;
        shell::quitRequested = false;
        shell::frameTime = 0.0;
        shell::lastFrameTime = 0.0;
        game::gameMode = game::MODE_CLASSIC;
        harness::input().time = 1.0;
        harness::input().cursorX = 400;
        harness::input().cursorY = 100; // above every menu row
    }

    static void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(shell::runFrame());
    }
};

} // namespace

TEST_F(MainLoop, WaitsOneSeventiethFromTheEndOfThePreviousWait)
{
    frames(1);
    const double firstEnd = shell::lastFrameTime;
    frames(1);
    EXPECT_DOUBLE_EQ(harness::input().deadlines.back(), firstEnd + shell::FRAME_PERIOD);
    EXPECT_DOUBLE_EQ(shell::lastFrameTime, firstEnd + shell::FRAME_PERIOD);
}

TEST_F(MainLoop, SlowFrameIsFollowedAtOnceAndShiftsTheSchedule)
{
    frames(1);
    const double firstEnd = shell::lastFrameTime;
    harness::input().time = firstEnd + 0.05; // this frame's work overran
    frames(1);
    EXPECT_DOUBLE_EQ(shell::lastFrameTime, firstEnd + 0.05);
    frames(1);
    EXPECT_DOUBLE_EQ(harness::input().deadlines.back(), firstEnd + 0.05 + shell::FRAME_PERIOD);
}

TEST_F(MainLoop, HeldSpaceOnTheMenuStartsExactlyOneClassicGame)
{
    game::gameMode = game::MODE_FF;
    harness::input().press(Key::Space);
    frames(5);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    EXPECT_EQ(game::gameMode, game::MODE_CLASSIC);
    EXPECT_EQ(harness::timesPlayed(sound::snd12), 1) << "one round start, one start sound";
}

TEST_F(MainLoop, EscapeReturnsToTheMenuFromARoundAndClearsTheBoard)
{
    shell::startClassicGame();
    frames(3);
    harness::input().press(Key::Escape);
    frames(1);
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    EXPECT_EQ(game::level, 0);
    for (const auto& row : board::board)
        for (const auto& cell : row)
            EXPECT_EQ(cell.kind, board::KIND_EMPTY);
}

TEST_F(MainLoop, HeldEscapeOnTheMenuKeepsTheMenu)
{
    harness::input().press(Key::Escape);
    frames(10);
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    EXPECT_FALSE(shell::quitRequested);
}

TEST_F(MainLoop, FunctionKeysQuitOnlyFromTheMenu)
{
    shell::startClassicGame();
    harness::input().press(Key::F10);
    harness::input().press(Key::F3);
    frames(3);
    EXPECT_FALSE(shell::quitRequested);

    harness::input().releaseAll();
    harness::input().press(Key::Escape);
    frames(1);
    harness::input().releaseAll();
    harness::input().press(Key::F3);
    frames(1);
    EXPECT_TRUE(shell::quitRequested);
    EXPECT_FALSE(shell::runFrame()) << "the loop ends at the top of the next iteration";
}

TEST_F(MainLoop, CloseBoxQuitsLikeF10EvenDuringARound)
{
    shell::startClassicGame();
    frames(1);
    harness::input().closeBox = true;
    EXPECT_FALSE(shell::runFrame());
    EXPECT_TRUE(shell::quitRequested);
}

TEST_F(MainLoop, MouseIsClampedToTheScreenAndWrittenBack)
{
    harness::input().cursorX = 2000;
    harness::input().cursorY = -300;
    frames(1);
    EXPECT_EQ(shell::mouseX, 800);
    EXPECT_EQ(shell::mouseY, 0);
    EXPECT_EQ(harness::input().cursorX, 800);
    EXPECT_EQ(harness::input().cursorY, 0);

    harness::input().cursorX = -1;
    harness::input().cursorY = 601;
    frames(1);
    EXPECT_EQ(shell::mouseX, 0);
    EXPECT_EQ(shell::mouseY, 600);
}

TEST_F(MainLoop, MenuAfterASurvivalRoundTurnsTheSurvivalBackdrop)
{
    shell::startFfGame();
    frames(2);
    harness::input().press(Key::Escape);
    frames(1);
    harness::input().releaseAll();
    const float angle = shell::ffBackgroundAngle;
    frames(3);
    EXPECT_EQ(game::gameMode, game::MODE_FF);
    EXPECT_FLOAT_EQ(shell::ffBackgroundAngle, angle + 3 * 0.02f);
}

TEST_F(MainLoop, RemoveTwoAndSurvivalGamesBeginAtLevelOne)
{
    shell::startRemoveTwoGame();
    EXPECT_EQ(game::level, 1);
    EXPECT_EQ(game::panelSlide, -256);
    shell::returnToMenu();
    EXPECT_EQ(game::level, 0);
    shell::startFfGame();
    EXPECT_EQ(game::level, 1);
    shell::returnToMenu();
    shell::startClassicGame();
    EXPECT_EQ(game::level, 0) << "a classic game keeps the level the round start leaves";
}

TEST_F(MainLoop, GameStartResetsTheScore)
{
    game::score = 500;
    shell::startRemoveTwoGame();
    EXPECT_EQ(game::score, 0);
    EXPECT_EQ(game::gameMode, game::MODE_REMOVE_TWO);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
}
