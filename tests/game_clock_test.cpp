// The game clock over time the game did not run: a process stopped (SIGSTOP,
// Ctrl+Z in a terminal) or a machine asleep finds the next frame seconds
// later, and the round must go on as from a pause.
#include <gtest/gtest.h>

#include "app/playing.h"
#include "app/shell.h"
#include "board/play.h"
#include "platform/seam.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup;
using harness::frames;
using harness::input;

namespace {

// A survival round with three rows at the bottom, played for a second.
class StoppedProcess : public harness::FromTheMenu {
protected:
    void SetUp() override
    {
        FromTheMenu::SetUp();
        shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
        boardtest::setBoard(playing::round().board, play::MODE_SURVIVAL, {"012012012012", "120120120120", "201201201201"});
        playing::round().lastRiseTime = seam::now();
        frames(70);
    }
};

} // namespace

TEST_F(StoppedProcess, TwentySecondsBetweenTwoFramesLeaveTheSurvivalTimeAndTheNextRiseWhereTheyWere)
{
    const double clock = seam::now(), survived = playing::round().survivalTime, lastRise = playing::round().lastRiseTime;
    const std::string board = boardtest::boardPicture();
    input().time += 20.0;
    frames(1);
    EXPECT_NEAR(playing::round().survivalTime, survived, 2.0 / 70) << "the survival clock did not run through the stop";
    EXPECT_NEAR(seam::now(), clock, 2.0 / 70);
    EXPECT_EQ(playing::round().lastRiseTime, lastRise) << "no rise came due";
    EXPECT_EQ(boardtest::boardPicture(), board);

    const double nextRise = lastRise + playing::round().riseInterval;
    const double resumedAt = input().time;
    while (playing::round().lastRiseTime == lastRise)
        frames(1);
    EXPECT_NEAR(playing::round().lastRiseTime, nextRise, 1.0 / 70) << "the rise came due on the game clock as before";
    EXPECT_NEAR(input().time - resumedAt, nextRise - clock, 2.0 / 70) << "a whole interval after the stop";
}

TEST_F(StoppedProcess, AFrameOfASecondIsPlayTimeAndAStopInAPauseIsNotTakenOffTwice)
{
    const double survived = playing::round().survivalTime;
    input().time += seam::LONGEST_FRAME_GAP;
    frames(1);
    EXPECT_NEAR(playing::round().survivalTime, survived + seam::LONGEST_FRAME_GAP, 2.0 / 70) << "a slow frame, not a stop";

    harness::tap(seam::Key::P);
    ASSERT_TRUE(shell::screens().paused());
    const double atPause = seam::now();
    input().time += 20.0;
    frames(3);
    harness::tap(seam::Key::P);
    ASSERT_FALSE(shell::screens().paused());
    EXPECT_NEAR(seam::now(), atPause, 3.0 / 70) << "the pause and the stop are one stretch";
    const double resumed = seam::now();
    frames(70);
    EXPECT_NEAR(seam::now() - resumed, 1.0, 1.0 / 70) << "and the clock runs on after it";
}
