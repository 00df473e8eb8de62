// Standing still: P or a lost focus stops the game clock in a round, and the
// round goes on from exactly where it stood.
#include <gtest/gtest.h>

#include <string>

#include "app/menu.h"
#include "app/pause.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/groups.h"
#include "board/play.h"
#include "game/game_state.h"
#include "platform/seam.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup;
using seam::Key;

namespace {

// Three rows at the bottom: moves, and room to rise for a while.
const boardtest::Picture threeRows = {"012012012012", "120120120120", "201201201201"};

// What a standing round must keep: every cell as drawn, the end-screen
// slides and the timers.
struct RoundPicture {
    std::string kinds;
    std::string cells;
    int panelSlide, hudY;
    double survivalTime, lastRiseTime, riseInterval, lastFeedTime, lastClickTime;
    bool feedArmed;

    static RoundPicture take()
    {
        std::string cells;
        for (const auto& row : board::board)
            for (const auto& cell : row)
                cells += std::to_string(cell.x) + "," + std::to_string(cell.y) + "," + std::to_string(cell.size)
                    + "," + std::to_string(cell.frame) + " ";
        return {boardtest::boardPicture(), cells, game::panelSlide, game::hudY, game::survivalTime,
                game::lastRiseTime, game::riseInterval, game::lastFeedTime, board::lastClickTime,
                game::feedArmed};
    }
    bool operator==(const RoundPicture&) const = default;
};

class Pause : public testing::Test {
protected:
    void SetUp() override
    {
        harness::needResources();
        shell::screenState = shell::SCREEN_MENU;
        shell::quitRequested = false;
        shell::lastFrameTime = 0.0;
        harness::input().time = 100.0;
        harness::input().cursorX = 400;
        harness::input().cursorY = 100;
    }
    // Leaves no pause behind for the next test.
    void TearDown() override
    {
        harness::input().focus = true;
        shell::returnToMenu();
        frames(1);
        ASSERT_FALSE(pause::paused);
    }

    static void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(shell::runFrame());
    }
    // Down for one frame; it is seen up again on the next.
    static void tap(Key key)
    {
        harness::input().press(key);
        frames(1);
        harness::input().release(key);
    }
    static void survivalRound()
    {
        shell::startFfGame();
        boardtest::setBoard(play::MODE_FF, threeRows);
        game::lastRiseTime = harness::input().time;
    }
};

} // namespace

TEST_F(Pause, ThirtySecondsPausedLeaveTheSurvivalTimeTheNextRiseAndTheFeedTimerWhereTheyWere)
{
    survivalRound();
    frames(5);
    harness::input().time += 10.5; // past the feed's arming, with a rise on the way
    frames(5);
    tap(Key::P);
    ASSERT_TRUE(pause::paused) << "paused from the end of the frame P went down in";
    const RoundPicture atPause = RoundPicture::take();
    const double clockAtPause = seam::now();
    const double pausedFrom = harness::input().time;
    EXPECT_TRUE(atPause.feedArmed);
    EXPECT_GT(atPause.lastFeedTime, 0.0);

    harness::input().time += 30.0;
    frames(20);
    EXPECT_EQ(RoundPicture::take(), atPause) << "nothing moved, no timer ran";
    EXPECT_EQ(seam::now(), clockAtPause);

    const double pausedFor = harness::input().time - pausedFrom;
    tap(Key::P);
    EXPECT_FALSE(pause::paused);
    EXPECT_EQ(game::survivalTime, atPause.survivalTime) << "the round goes on from the frame it stood at";
    const double nextRise = game::lastRiseTime + game::riseInterval;
    EXPECT_EQ(nextRise, atPause.lastRiseTime + atPause.riseInterval) << "no rise came due in the pause";
    while (game::lastRiseTime == atPause.lastRiseTime)
        frames(1);
    EXPECT_NEAR(game::lastRiseTime, nextRise, 1.0 / 70) << "the rise came due on the game clock as before";
    EXPECT_GE(harness::input().time, nextRise + pausedFor) << "so it waited the pause out";
    EXPECT_NEAR(game::survivalTime + pausedFor, harness::input().time - game::ffStartTime, 2.0 / 70)
        << "the survival time excludes the pause";
}

TEST_F(Pause, LosingTheFocusPausesARoundAndTheFocusBackResumesIt)
{
    survivalRound();
    frames(10);
    harness::input().focus = false;
    frames(1);
    ASSERT_TRUE(pause::paused);
    const RoundPicture atPause = RoundPicture::take();
    harness::input().time += 10.0;
    frames(5);
    EXPECT_EQ(RoundPicture::take(), atPause);
    harness::input().focus = true;
    frames(1);
    EXPECT_FALSE(pause::paused);
    EXPECT_EQ(game::survivalTime, atPause.survivalTime);
}

TEST_F(Pause, APauseByPOutlastsTheFocusAndEndsOnlyWithPOrTheMenu)
{
    survivalRound();
    tap(Key::P);
    ASSERT_TRUE(pause::paused);
    harness::input().focus = false;
    frames(3);
    harness::input().focus = true;
    frames(3);
    EXPECT_TRUE(pause::paused) << "the focus back does not end a pause the player asked for";
    tap(Key::P);
    EXPECT_FALSE(pause::paused);

    frames(1);
    tap(Key::P);
    ASSERT_TRUE(pause::paused);
    harness::input().press(Key::Escape);
    frames(1);
    harness::input().release(Key::Escape);
    EXPECT_FALSE(pause::paused) << "Escape leaves for the menu, which never stands still";
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    const double clock = seam::now();
    frames(1);
    EXPECT_GT(seam::now(), clock) << "the clock runs again";
}

TEST_F(Pause, TheMenuNeverPauses)
{
    tap(Key::P);
    harness::input().focus = false;
    const int logoY = menu::menuLogoY;
    const float gear = menu::gearAngleC;
    const double clock = seam::now();
    frames(3);
    EXPECT_FALSE(pause::paused);
    EXPECT_GT(seam::now(), clock) << "the clock runs on";
    EXPECT_FLOAT_EQ(menu::gearAngleC, gear + 12.0f) << "the gears turn on";
    EXPECT_GE(menu::menuLogoY, logoY);
    harness::input().focus = true;
    tap(Key::Down);
    tap(Key::Enter);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    EXPECT_FALSE(pause::paused) << "a P pressed on the menu does not carry over";
}
