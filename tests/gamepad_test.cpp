// Playing from a gamepad, scripted through the seam: the d-pad and the left
// stick are the arrows, A is Enter, B Escape, Start P and Back M; pads come
// and go at any time and never stand in the way of the mouse or the keys.
#include <vector>

#include <gtest/gtest.h>

#include "app/pause.h"
#include "app/playing.h"
#include "app/shell.h"
#include "app/steering.h"
#include "app/toggles.h"
#include "board/play.h"
#include "game/game_state.h"
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
    shell::startClassicGame();
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
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    tapPad(PadButton::A);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
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
    EXPECT_TRUE(pause::paused);
    tapPad(PadButton::Back);
    EXPECT_TRUE(toggles::settings().muted) << "muted while paused, as M does";
    tapPad(PadButton::Start);
    EXPECT_FALSE(pause::paused);
    tapPad(PadButton::Back);
    EXPECT_FALSE(toggles::settings().muted);

    tapPad(PadButton::B);
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
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
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
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
