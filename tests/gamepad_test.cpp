// Playing from a gamepad, scripted through the seam: the d-pad and the left
// stick are the arrows, A is Enter, B Escape, Start P and Back M; pads come
// and go at any time and never stand in the way of the mouse or the keys;
// the player may add mappings for pads GLFW does not know.
#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "app/playing.h"
#include "app/shell.h"
#include "app/steering.h"
#include "app/toggles.h"
#include "board/play.h"
#include "game/game_state.h"
#include "platform/gamepads.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "tests/board_picture.h"
#include "tests/harness.h"
#include "tests/screen.h"

using namespace kalup;
using harness::frames;
using harness::input;
using screen::mouseAt;
using seam::PadButton;

namespace {

void tapPad(PadButton button)
{
    input().press(button);
    frames(1);
    input().release(button);
    frames(1);
}

std::pair<int, int> hovered() { return {playing::round().hover.row, playing::round().hover.col}; }

// A classic round with the pointer on the cell (3, 0), the mouse left alone.
void startOnTheBoard()
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    mouseAt(steering::pointerXOf(0), steering::pointerYOf(3));
}

// The columns the pointer passed while the frames ran for `seconds`.
std::vector<int> columnsFor(double seconds)
{
    const double start = input().time;
    std::vector<int> columns;
    while (input().time < start + seconds) {
        frames(1);
        if (columns.empty() || columns.back() != playing::round().hover.col)
            columns.push_back(playing::round().hover.col);
    }
    return columns;
}

} // namespace

using PadMenu = harness::FromTheMenu;
using PadBoard = harness::FromTheMenu;

TEST_F(PadMenu, TheDpadGoesFromRowToRowAndAStartsTheRow)
{
    mouseAt(400, 100);
    tapPad(PadButton::DpadDown);
    EXPECT_EQ(pointer::mouseY, 292);
    tapPad(PadButton::DpadDown);
    tapPad(PadButton::DpadDown);
    tapPad(PadButton::DpadUp);
    EXPECT_EQ(pointer::mouseY, 374);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
    tapPad(PadButton::A);
    EXPECT_TRUE(shell::screens().roundOnScreen());
    EXPECT_EQ(playing::round().board.gameMode, play::MODE_REMOVE_TWO);
}

TEST_F(PadBoard, TheDpadAndTheStickStepLikeTheArrowsWithTheirRepeatAndAStickAtRestStrikesNothing)
{
    startOnTheBoard();
    tapPad(PadButton::DpadRight);
    tapPad(PadButton::DpadDown);
    EXPECT_EQ(hovered(), std::pair(4, 1));
    EXPECT_TRUE(pointer::steeredByKeys());
    tapPad(PadButton::DpadLeft);
    tapPad(PadButton::DpadUp);
    EXPECT_EQ(hovered(), std::pair(3, 0));

    input().press(PadButton::DpadRight);
    EXPECT_EQ(columnsFor(0.95), (std::vector<int>{1, 2, 3, 4, 5})) << "the arrows' repeat";
    input().release(PadButton::DpadRight);
    frames(1);

    // A stick that rests off the middle, inside the dead zone.
    input().gamepad.stickX = -0.45f;
    input().gamepad.stickY = 0.45f;
    frames(140);
    EXPECT_EQ(hovered(), std::pair(3, 5));

    input().gamepad.stickX = 0.9f;
    input().gamepad.stickY = 0.0f;
    EXPECT_EQ(columnsFor(0.95), (std::vector<int>{6, 7, 8, 9, 10})) << "pushed and held, it repeats";
    input().gamepad.stickX = 0.0f;
    frames(1);

    // Wavering at the edge of the push is one push.
    for (int frame = 0; frame < 20; ++frame) {
        input().gamepad.stickX = frame % 2 ? -0.4f : -0.6f;
        frames(1);
    }
    EXPECT_EQ(playing::round().hover.col, 9);
    input().gamepad.stickX = -0.2f;
    frames(1);
    input().gamepad.stickX = -0.6f;
    input().gamepad.stickY = -0.7f;
    frames(1);
    EXPECT_EQ(hovered(), std::pair(2, 8)) << "back past the let-go and out again: a new push, across and up";
}

TEST_F(PadBoard, AClicksLikeEnterStartPausesBackMutesAndBLeavesForTheMenu)
{
    startOnTheBoard();
    // One pair of like pieces, the 3s at the bottom, in columns 5 and 6.
    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, {"012301230123", "120123312301"});
    mouseAt(steering::pointerXOf(5), steering::pointerYOf(8));
    playing::round().board.lastClickTime = input().time - 1.0;
    tapPad(PadButton::A);
    EXPECT_EQ(playing::round().score, 4);

    tapPad(PadButton::Start);
    EXPECT_TRUE(shell::screens().paused());
    tapPad(PadButton::Back);
    EXPECT_TRUE(toggles::settings().muted) << "muted while paused, as M does";
    tapPad(PadButton::Start);
    EXPECT_FALSE(shell::screens().paused());
    tapPad(PadButton::Back);
    EXPECT_FALSE(toggles::settings().muted);

    tapPad(PadButton::B);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
}

TEST_F(PadBoard, APadPluggedOutMidRoundLeavesNothingHeldAndOnePluggedInHoldingStrikesNothing)
{
    startOnTheBoard();
    input().press(PadButton::DpadRight);
    input().gamepad.stickY = 0.9f;
    frames(1);
    EXPECT_EQ(hovered(), std::pair(4, 1));
    input().gamepad.connected = false;
    frames(140);
    EXPECT_EQ(hovered(), std::pair(4, 1)) << "no repeat of what the pad held";
    for (seam::Key key : {seam::Key::Right, seam::Key::Down})
        EXPECT_FALSE(keys::down(key));

    // Plugged in again at rest: nothing moves.
    input().gamepad = {};
    input().gamepad.connected = true;
    frames(70);
    EXPECT_EQ(hovered(), std::pair(4, 1));

    // Out with B held mid-round: the round goes on.
    input().press(PadButton::B);
    input().gamepad.connected = false;
    frames(3);
    EXPECT_TRUE(shell::screens().roundOnScreen());
}

TEST_F(PadBoard, APadNeverStandsInTheWayOfTheMouseOrTheKeys)
{
    startOnTheBoard();
    input().gamepad.connected = true;
    input().gamepad.stickX = 0.3f;
    input().gamepad.stickY = -0.3f;
    mouseAt(steering::pointerXOf(7), steering::pointerYOf(6));
    EXPECT_EQ(hovered(), std::pair(6, 7)) << "the mouse moves the pointer";
    harness::tap(seam::Key::Left);
    EXPECT_EQ(hovered(), std::pair(6, 6)) << "the arrows step it";
    input().press(PadButton::DpadDown);
    harness::tap(seam::Key::Left);
    EXPECT_EQ(hovered(), std::pair(7, 5)) << "the keys and the pad together";
    mouseAt(steering::pointerXOf(2), steering::pointerYOf(2));
    EXPECT_EQ(hovered(), std::pair(2, 2)) << "the mouse though a button of the pad is held";
    EXPECT_FALSE(pointer::steeredByKeys());
}

TEST(PadMappings, ThePlayersFileIsTakenWhenItIsARegularFileOfASaneSizeAndElseRefusedInOneLine)
{
    harness::needDisplay();
    const harness::TempFolder home;
    harness::Environment environment;
    environment.set("XDG_CONFIG_HOME", home.path().c_str());
    const std::string folder = home.path() + "/kalup";
    const std::string file = folder + "/gamecontrollerdb.txt";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const auto saidWhenAdded = [] {
        testing::internal::CaptureStderr();
        gamepads::addPlayerMappings();
        return testing::internal::GetCapturedStderr();
    };
    EXPECT_EQ(saidWhenAdded(), "") << "no file: nothing to say";

    home.write("kalup/gamecontrollerdb.txt",
        "# a pad of the player's\n"
        "03000000aa0b0000cc0d000011010000,Test Pad,a:b0,b:b1,back:b6,start:b7,dpup:h0.1,dpdown:h0.4,"
        "dpleft:h0.8,dpright:h0.2,leftx:a0,lefty:a1,platform:Linux,\n"
        "not a mapping at all\n");
    EXPECT_EQ(saidWhenAdded(), "") << "taken, the line GLFW cannot read skipped";

    const auto refusedInOneLine = [&](const char* what) {
        const std::string said = saidWhenAdded();
        EXPECT_NE(said.find(file), std::string::npos) << what << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << what << ": " << said;
    };
    home.write("kalup/gamecontrollerdb.txt", std::string(gamepads::MAPPINGS_SIZE_LIMIT + 1, '#'));
    refusedInOneLine("too large");
    ASSERT_EQ(unlink(file.c_str()), 0);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    refusedInOneLine("a FIFO, which must not hold the game up");
    ASSERT_EQ(unlink(file.c_str()), 0);
    ASSERT_EQ(mkdir(file.c_str(), 0700), 0);
    refusedInOneLine("a folder");
}

TEST_F(PadBoard, BClosesTheHelpOverARoundAndTheRoundGoesOnThoughBStaysDown)
{
    startOnTheBoard();
    harness::tap(seam::Key::F1);
    ASSERT_TRUE(shell::screens().isOn(screens::ScreenId::Help));
    input().press(PadButton::B);
    frames(10);
    EXPECT_FALSE(shell::screens().isOn(screens::ScreenId::Help));
    EXPECT_TRUE(shell::screens().roundOnScreen()) << "the B that closed the help";
    input().release(PadButton::B);
    frames(2);
    EXPECT_TRUE(shell::screens().roundOnScreen());
    tapPad(PadButton::B);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu) << "B again leaves the round";
}
