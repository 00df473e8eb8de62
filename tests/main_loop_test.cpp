// The main loop: pacing, the shell's keys, the close box and the pointer on
// screens of every size.
#include <cmath>

#include <gtest/gtest.h>

#include "app/playing.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/play.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "platform/pointer.h"
#include "platform/scaler.h"
#include "render/draw.h"
#include "tests/board_picture.h"
#include "tests/harness.h"
#include "tests/screen.h"

using namespace kalup;
using harness::frames;
using harness::input;
using screen::mouseAt;
using seam::Key;

using MainLoop = harness::FromTheMenu;

TEST_F(MainLoop, PacesFromTheEndOfThePreviousWaitSoASlowFrameIsFollowedAtOnce)
{
    frames(1);
    const double end = shell::loop().lastFrameTime;
    EXPECT_DOUBLE_EQ(end, 1.0) << "the first wait ends at its first reading";
    input().time = end + 0.05; // this frame's work overran
    frames(2);
    EXPECT_DOUBLE_EQ(input().deadlines[1], end + shell::FRAME_PERIOD);
    EXPECT_DOUBLE_EQ(input().deadlines[2], end + 0.05 + shell::FRAME_PERIOD);
}

TEST_F(MainLoop, HeldSpaceOrEnterWithTheButtonOnTheMenuStartsExactlyOneGameFromScratch)
{
    for (Key key : {Key::Space, Key::Enter}) {
        shell::screens().backToMenu();
        playing::round().board.gameMode = play::MODE_SURVIVAL;
        playing::round().score = 500;
        harness::soundLog().clear();
        // Enter with the button down over the first row: the click starts it, Enter not again.
        input().cursorY = key == Key::Enter ? 292 : 100;
        input().button = key == Key::Enter;
        input().press(key);
        frames(5);
        input().releaseAll();
        EXPECT_EQ(shell::screens().current(), screens::ScreenId::Playing);
        EXPECT_EQ(playing::round().board.gameMode, play::MODE_CLASSIC);
        EXPECT_EQ(harness::timesPlayed(sound::sndRoundStart), 1) << "one round start, one start sound";
        EXPECT_EQ(playing::round().score, 0);
        EXPECT_EQ(playing::round().level, 0) << "only remove-two and survival games begin at level one";
    }
}

TEST_F(MainLoop, HeldEscapeLeavesARoundForAFreshMenuWhereF3OrF10QuitsAndTheCloseBoxQuitsEvenInARound)
{
    shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
    input().press(Key::F10);
    input().press(Key::F3);
    frames(3);
    EXPECT_FALSE(shell::loop().quitRequested) << "no quitting in a round";
    input().releaseAll();
    input().press(Key::Escape);
    frames(10);
    draw::deleteFonts();
    frames(1);
    EXPECT_NE(draw::fontSmall, nullptr) << "held Escape re-creates the fonts every frame";
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
    EXPECT_EQ(playing::round().level, 0);
    EXPECT_EQ(boardtest::boardPicture(playing::round().board), boardtest::picture({})) << "the round's board is gone";
    input().press(Key::F3);
    frames(1);
    EXPECT_TRUE(shell::loop().quitRequested);
    EXPECT_FALSE(shell::runFrame()) << "the loop ends at the top of the next iteration";

    shell::loop().quitRequested = false;
    input().releaseAll();
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    input().closeBox = true;
    EXPECT_FALSE(shell::runFrame()) << "the close box quits even during a round";
}

TEST_F(MainLoop, AnEndScreenIsAScreenOfItsOwnThatSpaceOrAMoveComingBackLeavesAndThatPausesAsPlayDoes)
{
    using screens::ScreenId;
    const auto showing = [] { return shell::screens().current(); };
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(2);
    EXPECT_EQ(showing(), ScreenId::Playing);
    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, boardtest::noMoves);
    frames(1);
    EXPECT_EQ(showing(), ScreenId::RoundOver) << "from the frame after the first that showed it";
    const int slide = playing::round().panelSlide;
    frames(2);
    EXPECT_EQ(playing::round().panelSlide, slide + 32) << "the end screen's frames run on";

    harness::tap(Key::P);
    EXPECT_EQ(showing(), ScreenId::Paused);
    harness::tap(Key::P);
    EXPECT_EQ(showing(), ScreenId::RoundOver) << "back to the end screen the pause stood over";

    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, {"............", "001122001122"});
    frames(1);
    EXPECT_EQ(showing(), ScreenId::Playing) << "a move came back";
    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, boardtest::noMoves);
    frames(3);
    input().press(Key::Space);
    frames(1);
    input().release(Key::Space);
    EXPECT_EQ(showing(), ScreenId::Playing) << "space went on to the next round";
    EXPECT_NE(boardtest::boardPicture(playing::round().board), boardtest::picture(boardtest::noMoves));

    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, boardtest::noMoves);
    frames(2);
    input().press(Key::Escape);
    frames(1);
    input().release(Key::Escape);
    EXPECT_EQ(showing(), ScreenId::Menu) << "Escape leaves an end screen too";
}

namespace {

// The mouse moved by whole window pixels a frame.
void moveMouse(int count, double stepX, double stepY)
{
    for (int i = 0; i < count; ++i) {
        input().cursorX += stepX;
        input().cursorY += stepY;
        frames(1);
    }
}

} // namespace

using Pointer = harness::FromTheMenu;

// Full screens of 800 x 600, 1920 x 1080, 2560 x 1440 and 3840 x 2160.
TEST_F(Pointer, OnePixelAFrameMovesByTheTrueDistanceAtEveryScaleAndARestingMouseIsLeftAlone)
{
    for (double scale : {1.0, 1.8, 2.4, 3.6}) {
        SCOPED_TRACE(scale);
        input().scale = scale;
        for (double pixelsPerFrame : {1.0, 2.0}) {
            mouseAt(100, 100);
            const int startX = pointer::mouseX, startY = pointer::mouseY;
            moveMouse(70, pixelsPerFrame, pixelsPerFrame);
            const double expected = 70 * pixelsPerFrame / scale;
            EXPECT_NEAR(pointer::mouseX - startX, expected, 1.0) << pixelsPerFrame << " pixels a frame";
            EXPECT_NEAR(pointer::mouseY - startY, expected, 1.0) << pixelsPerFrame << " pixels a frame";
        }
        mouseAt(333.3, 222.2);
        const double windowX = input().cursorX;
        const int x = pointer::mouseX, writes = input().cursorWrites;
        frames(50);
        EXPECT_EQ(pointer::mouseX, x);
        EXPECT_EQ(input().cursorX, windowX);
        EXPECT_EQ(input().cursorWrites, writes) << "a pointer inside the screen is left to the mouse";
    }
}

TEST_F(Pointer, TheClampHoldsTheMouseOnTheScreenBothEndsIncludedAndTheWayBackStartsThere)
{
    for (double scale : {1.0, 1.8, 3.6}) {
        SCOPED_TRACE(scale);
        input().scale = scale;
        // Pushed on past a corner; the first step back leaves it at once.
        const double in = std::ceil(scale);
        const struct { double x, y, stepX, stepY; int edgeX, edgeY; double backX, backY; int insideX, insideY; }
            corners[] = {{790, 10, 3, -3, 800, 0, -1, in, 799, 1}, {10, 590, -3, 3, 0, 600, in, -1, 1, 599}};
        for (const auto& c : corners) {
            mouseAt(c.x, c.y);
            moveMouse(40, c.stepX, c.stepY);
            EXPECT_EQ(std::pair(pointer::mouseX, pointer::mouseY), std::pair(c.edgeX, c.edgeY));
            EXPECT_DOUBLE_EQ(input().cursorX, scaler::toWindow(c.edgeX, scale)) << "written back at the edge";
            EXPECT_DOUBLE_EQ(input().cursorY, scaler::toWindow(c.edgeY, scale));
            moveMouse(1, c.backX, c.backY);
            EXPECT_EQ(std::pair(pointer::mouseX, pointer::mouseY), std::pair(c.insideX, c.insideY));
        }
    }
}
