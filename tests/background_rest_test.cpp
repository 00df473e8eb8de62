// The game in the background: a window that cannot be seen draws nothing, a
// paused round draws its still picture only when it changes, and between
// such frames the game waits for the window's events instead of pacing
// frames. The keys, the close box, the game clock and the pictures the
// player comes back to stay as they were.
#include <vector>

#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/playing.h"
#include "app/rest.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "board/play.h"
#include "game/game_state.h"
#include "platform/seam.h"
#include "tests/harness.h"
#include "tests/screen.h"

using namespace kalup;
using harness::frames;
using harness::input;
using harness::tap;
using seam::Key;

namespace {

using BackgroundRest = harness::FromTheMenu;

// Frames run, and how many of them were shown and how many waited for events.
struct Counted {
    int presented;
    int waited;
    bool operator==(const Counted&) const = default;
};

Counted run(int count)
{
    const int presents = input().presents;
    const auto waits = input().eventWaits.size();
    frames(count);
    return {input().presents - presents, static_cast<int>(input().eventWaits.size() - waits)};
}

} // namespace

TEST_F(BackgroundRest, TheMenuAnimatesWhileItCanBeSeenFocusOrNotAndStandsStillUnseenUntilItComesBack)
{
    frames(2);
    const struct { const char* what; bool focus, visible, drawn; } cases[] = {
        {"focused", true, true, true}, {"unfocused", false, true, true},
        {"covered", true, false, false}, {"minimised", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        input().focus = c.focus;
        input().visible = c.visible;
        const float gear = menu::state().gearAngleC;
        EXPECT_EQ(run(10), (c.drawn ? Counted{10, 0} : Counted{0, 10}));
        EXPECT_EQ(menu::state().gearAngleC != gear, c.drawn) << "the gears turn only where they are seen";
        input().focus = true;
        input().visible = true;
        EXPECT_EQ(run(1), (Counted{1, 0})) << "back in view, drawn at once";
    }
}

TEST_F(BackgroundRest, AnUnseenMenuStillQuitsByTheCloseBoxAndWaitsForEventsNeverLongerThanTheLongestRest)
{
    input().visible = false;
    for (int frame = 0; frame < 5; ++frame) {
        const double before = input().time;
        frames(1);
        ASSERT_EQ(input().eventWaits.size(), frame + 1u);
        EXPECT_LE(input().eventWaits.back() - before, rest::LONGEST_REST + 1e-9);
    }
    EXPECT_EQ(input().presents, 0);
    EXPECT_LT(rest::LONGEST_REST, seam::LONGEST_FRAME_GAP) << "a rest is never taken for a stop";
    input().closeBox = true;
    EXPECT_FALSE(shell::runFrame());
}

TEST_F(BackgroundRest, APausedRoundDrawsItsStillOnlyWhenItChangesAndTheKeysAnswerMeanwhile)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(3);
    tap(Key::P);
    ASSERT_TRUE(shell::screens().paused());
    const std::vector<unsigned char> still = screen::pixels();
    const double clock = seam::now();
    EXPECT_EQ(run(20), (Counted{0, 20})) << "nothing changes: nothing drawn";

    input().pictureGone = true;
    EXPECT_EQ(run(3), (Counted{1, 2})) << "exposed";
    EXPECT_EQ(screen::pixels(), still) << "the same picture";
    input().cursorX += 30;
    EXPECT_EQ(run(3).presented, 1) << "the pointer moved";
    input().visible = false;
    EXPECT_EQ(run(5), (Counted{0, 5})) << "minimised";
    input().visible = true;
    input().cursorX -= 30;
    EXPECT_EQ(run(3), (Counted{1, 2})) << "back in view";
    EXPECT_EQ(screen::pixels(), still);

    const bool muted = toggles::settings().muted;
    tap(Key::M);
    EXPECT_NE(toggles::settings().muted, muted) << "M answers";
    tap(Key::F11);
    EXPECT_EQ(input().screenSwitches, 1) << "F11 answers";
    EXPECT_EQ(run(3).presented, 0) << "the switched screen was drawn once, at once";
    tap(Key::M);
    EXPECT_EQ(seam::now(), clock) << "the game clock stood still throughout";
    ASSERT_TRUE(shell::screens().paused());

    tap(Key::P);
    EXPECT_FALSE(shell::screens().paused());
    EXPECT_EQ(run(5), (Counted{5, 0})) << "running again, every frame";
    tap(Key::P);
    tap(Key::Escape);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu) << "Escape answers";
}

TEST_F(BackgroundRest, AMinimisedRoundPausesAsItLosesTheFocusAndIsDrawnNoMoreUntilItComesBack)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(3);
    input().focus = false;
    input().visible = false;
    EXPECT_EQ(run(1).presented, 1) << "the frame the pause begins in is drawn and kept";
    ASSERT_TRUE(shell::screens().paused());
    const game::Round& round = playing::round();
    const int hudY = round.hudY;
    EXPECT_EQ(run(30), (Counted{0, 30}));
    EXPECT_EQ(round.hudY, hudY);

    input().focus = true;
    input().visible = true;
    EXPECT_EQ(run(3), (Counted{3, 0}));
    EXPECT_FALSE(shell::screens().paused());
}

TEST_F(BackgroundRest, ARunningRoundIsDrawnEveryFrameEvenUnseenForItsRulesGoFrameByFrame)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    input().visible = false;
    EXPECT_EQ(run(5), (Counted{5, 0}));
    EXPECT_FALSE(shell::screens().paused());
}
