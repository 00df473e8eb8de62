// The main loop: pacing, the shell's keys, the mouse and the screens.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "board/board.h"
#include "board/play.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "render/draw.h"
#include "platform/pointer.h"
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
        shell::lastFrameTime = 0.0;
        play::gameMode = play::MODE_CLASSIC;
        harness::input().time = 1.0;
        harness::input().cursorY = 100; // above every menu row
    }

    static void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(shell::runFrame());
    }
};

} // namespace

TEST_F(MainLoop, PacesFromTheEndOfThePreviousWaitSoASlowFrameIsFollowedAtOnce)
{
    frames(1);
    const double end = shell::lastFrameTime;
    EXPECT_DOUBLE_EQ(end, 1.0) << "the first wait ends at its first reading";
    harness::input().time = end + 0.05; // this frame's work overran
    frames(2);
    const auto& deadlines = harness::input().deadlines;
    EXPECT_DOUBLE_EQ(deadlines[1], end + shell::FRAME_PERIOD);
    EXPECT_DOUBLE_EQ(deadlines[2], end + 0.05 + shell::FRAME_PERIOD);
}

TEST_F(MainLoop, HeldSpaceOnTheMenuStartsExactlyOneClassicGame)
{
    play::gameMode = play::MODE_FF;
    harness::input().press(Key::Space);
    frames(5);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    EXPECT_EQ(play::gameMode, play::MODE_CLASSIC);
    EXPECT_EQ(harness::timesPlayed(sound::snd12), 1) << "one round start, one start sound";
}

TEST_F(MainLoop, EscapeLeavesARoundForTheMenuAndKeepsIt)
{
    shell::startClassicGame();
    frames(3);
    harness::input().press(Key::Escape);
    frames(10);
    draw::deleteFonts();
    frames(1);
    EXPECT_NE(draw::fontSmall, nullptr) << "held Escape re-creates the fonts every frame";
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    EXPECT_EQ(game::level, 0);
    for (const auto& row : board::board)
        for (const auto& cell : row)
            EXPECT_EQ(cell.kind, board::KIND_EMPTY);
}

TEST_F(MainLoop, QuitComesFromFunctionKeysOnTheMenuOrFromTheCloseBox)
{
    shell::startClassicGame();
    harness::input().press(Key::F10);
    harness::input().press(Key::F3);
    frames(3);
    EXPECT_FALSE(shell::quitRequested) << "no quitting in a round";

    harness::input().press(Key::Escape);
    frames(1);
    EXPECT_TRUE(shell::quitRequested);
    EXPECT_FALSE(shell::runFrame()) << "the loop ends at the top of the next iteration";

    shell::quitRequested = false;
    harness::input().releaseAll();
    shell::startClassicGame();
    harness::input().closeBox = true;
    EXPECT_FALSE(shell::runFrame()) << "the close box quits even during a round";
}

TEST_F(MainLoop, MouseIsClampedToTheScreenAndWrittenBack)
{
    const struct {
        int x, y, clampedX, clampedY;
    } cases[] = {{2000, -300, 800, 0}, {-1, 601, 0, 600}, {800, 600, 800, 600}};
    for (const auto& c : cases) {
        harness::input().cursorX = c.x;
        harness::input().cursorY = c.y;
        frames(1);
        EXPECT_EQ(pointer::mouseX, c.clampedX);
        EXPECT_EQ(pointer::mouseY, c.clampedY);
        EXPECT_EQ(harness::input().cursorX, c.clampedX) << "the system pointer stays on the screen";
        EXPECT_EQ(harness::input().cursorY, c.clampedY);
    }
}

TEST_F(MainLoop, MenuAfterASurvivalRoundTurnsTheSurvivalBackdrop)
{
    shell::startFfGame();
    harness::input().press(Key::Escape);
    frames(1);
    harness::input().releaseAll();
    const float angle = shell::ffBackgroundAngle;
    frames(3);
    EXPECT_FLOAT_EQ(shell::ffBackgroundAngle, angle + 3 * 0.02f);
}

TEST_F(MainLoop, OnlyRemoveTwoAndSurvivalGamesForceLevelOne)
{
    play::score = 500;
    shell::startRemoveTwoGame();
    EXPECT_EQ(play::score, 0);
    EXPECT_EQ(game::level, 1);
    shell::returnToMenu();
    shell::startFfGame();
    EXPECT_EQ(game::level, 1);
    shell::returnToMenu();
    shell::startClassicGame();
    EXPECT_EQ(game::level, 0);
}
