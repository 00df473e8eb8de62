// Playing without a mouse: the arrows walk the pointer over the menu rows
// and the board, Enter starts the marked mode, clicks and continues.
#include <vector>

#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/playing.h"
#include "app/shell.h"
#include "app/steering.h"
#include "board/board.h"
#include "board/clicks.h"
#include "board/moves.h"
#include "board/play.h"
#include "game/game_state.h"
#include "game/update.h"
#include "platform/pointer.h"
#include "tests/board_picture.h"
#include "tests/harness.h"
#include "tests/screen.h"

using namespace kalup;
using harness::frames;
using harness::input;
using harness::tap;
using screen::mouseAt;
using seam::Key;

using KeyboardMenu = harness::FromTheMenu;
using KeyboardBoard = harness::FromTheMenu;

TEST_F(KeyboardMenu, ArrowsGoFromRowToRowAndEnterStartsTheRowTheSelectorMarks)
{
    const int classic = play::MODE_CLASSIC, removeTwo = play::MODE_REMOVE_TWO, ff = play::MODE_SURVIVAL;
    const Key up = Key::Up, down = Key::Down;
    const struct { double startY; int markerY; std::vector<Key> keys; int pointerY, mode; } cases[] = {
        {100, 315, {down}, 292, classic}, {100, 315, {down, down}, 374, removeTwo},
        {100, 315, {down, down, down}, 454, ff}, {100, 315, {down, down, down, down}, 454, ff},
        {300, 315, {down}, 374, removeTwo}, {330, 315, {up}, 292, classic}, {550, 315, {up}, 454, ff},
        {550, 315, {up, up}, 374, removeTwo}, {550, 315, {up, up, up, up}, 292, classic},
        // Outside every row Enter starts the row the selector marks.
        {100, 315, {}, 100, classic}, {100, 397, {}, 100, removeTwo}, {100, 475, {}, 100, ff},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from y " << c.startY << ", " << c.keys.size() << " keys");
        shell::screens().backToMenu();
        menu::state().menuMarkerY = c.markerY;
        mouseAt(400, c.startY);
        for (Key key : c.keys)
            tap(key);
        EXPECT_EQ(std::pair(pointer::mouseX, pointer::mouseY), std::pair(400, c.pointerY));
        EXPECT_EQ(input().cursorY, c.pointerY) << "the mouse moves with the pointer";
        EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu) << "arrows only move";
        tap(Key::Enter);
        EXPECT_EQ(shell::screens().current(), screens::ScreenId::Playing);
        EXPECT_EQ(playing::round().board.gameMode, c.mode);
    }
}

TEST_F(KeyboardBoard, ArrowsStepFromTheNearestCellStayOnTheBoardAtItsEdgesAndNeverClick)
{
    const struct { double x, y; Key key; int row, col; } steps[] = {
        {48, 28, Key::Up, 0, 0}, {48, 28, Key::Left, 0, 0}, {752, 540, Key::Down, 8, 11},
        {752, 540, Key::Right, 8, 11}, {48, 540, Key::Left, 8, 0}, {752, 28, Key::Up, 0, 11}, {0, 0, Key::Right, 0, 1},
        {800, 600, Key::Up, 7, 11}, {500, 300, Key::Down, 5, 7}, {79, 59, Key::Right, 0, 1}, {80, 60, Key::Left, 1, 0},
    };
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.x << "," << step.y << " key " << int(step.key));
        mouseAt(step.x, step.y);
        tap(step.key);
        EXPECT_EQ(std::pair(playing::round().hover.row, playing::round().hover.col), std::pair(step.row, step.col));
        EXPECT_EQ(std::pair(pointer::mouseX, pointer::mouseY),
            std::pair(steering::pointerXOf(step.col), steering::pointerYOf(step.row)));
        EXPECT_EQ(input().cursorX, pointer::mouseX) << "the mouse moves with the pointer";
        EXPECT_EQ(input().cursorY, pointer::mouseY);
    }
    EXPECT_EQ(playing::round().score, 0) << "arrows never click";
}

TEST_F(KeyboardBoard, AHeldArrowRepeatsEveryFifteenHundredthsAfterFourTenths)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    mouseAt(steering::pointerXOf(0), steering::pointerYOf(3));
    input().press(Key::Right);
    const double start = input().time;
    std::vector<int> columns;
    // Struck at once, then at 0.4, 0.55, 0.7 and 0.85 s.
    while (input().time < start + 0.95) {
        frames(1);
        if (columns.empty() || columns.back() != playing::round().hover.col)
            columns.push_back(playing::round().hover.col);
    }
    EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(playing::round().hover.row, 3);
}

TEST_F(KeyboardBoard, EnterIsOneClickOnTheFrameItGoesDownAndObeysTheLockOut)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    // One pair of like pieces, the 3s at the bottom, in columns 5 and 6.
    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, {"012301230123", "120123312301"});
    input().cursorX = steering::pointerXOf(5);
    input().cursorY = steering::pointerYOf(8);
    playing::round().board.lastClickTime = input().time - 0.2;
    tap(Key::Enter);
    EXPECT_EQ(playing::round().score, 0) << "within 0.4 s of the last accepted click";
    EXPECT_GT(playing::round().board.board[8][5].size, 64) << "only the hover swell";

    input().time += 0.3;
    const double pressed = input().time;
    input().press(Key::Enter);
    frames(140);
    EXPECT_EQ(playing::round().score, 4);
    EXPECT_EQ(boardtest::boardPicture(playing::round().board), boardtest::picture({"01230..30123", "120121212301"}))
        << "the pair went and the pieces above it fell";
    EXPECT_EQ(playing::round().board.lastClickTime, pressed)
        << "held for 2 s over the piece that fell in, Enter clicked once";
}

TEST_F(KeyboardBoard, EnterContinuesEveryEndScreenLikeSpace)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, boardtest::noMoves);
    frames(3);
    tap(Key::Enter);
    EXPECT_NE(boardtest::boardPicture(playing::round().board), boardtest::picture(boardtest::noMoves))
        << "classic, no moves: dealt anew";

    shell::screens().make(screens::Change::startGame(play::MODE_REMOVE_TWO));
    board::clearBoard(playing::round().board);
    frames(3);
    const double interval = playing::round().feedInterval;
    tap(Key::Enter);
    EXPECT_DOUBLE_EQ(playing::round().feedInterval, interval - 0.1) << "remove-two, board cleared: the next level";
    EXPECT_FALSE(board::boardIsEmpty(playing::round().board));
    playing::round().feedInterval = interval;

    shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
    playing::round().survivalOver = true;
    frames(3);
    tap(Key::Enter);
    EXPECT_FALSE(playing::round().survivalOver) << "survival lost: a new round";
    EXPECT_LT(playing::round().survivalTime, 0.1);
}
