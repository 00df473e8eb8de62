// Playing without a mouse: the arrows walk the pointer over the menu rows
// and the board, one step a tap, Enter starts the marked mode, clicks and
// continues, and the cell the pointer was steered to is framed.
#include <array>
#include <cstdlib>
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

TEST_F(KeyboardBoard, ATapIsOneStepEvenInsideOneSlowFrameAndAKeyLetGoInASlowFrameDoesNotRepeat)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    mouseAt(steering::pointerXOf(0), steering::pointerYOf(3));
    input().press(Key::Right);
    frames(1);
    ASSERT_EQ(playing::round().hover.col, 1);
    // Let go while the next frame took 0.6 s, longer than the repeat delay.
    input().release(Key::Right);
    input().time += 0.6;
    frames(70);
    EXPECT_EQ(playing::round().hover.col, 1) << "not held any more: no repeat";

    // Let go while the frame that stepped was being shown, for 0.6 s.
    input().press(Key::Right);
    int shown = 0;
    input().whilePresenting = [&shown] {
        if (++shown == 1) {
            input().release(Key::Right);
            input().time += 0.6;
        }
    };
    frames(70);
    input().whilePresenting = nullptr;
    EXPECT_EQ(playing::round().hover.col, 2) << "read as up at the top of the next frame: no repeat";

    // Down and up again before a slow frame reads the keys.
    input().press(Key::Right);
    input().release(Key::Right);
    input().time += 0.6;
    frames(70);
    EXPECT_EQ(playing::round().hover.col, 3) << "one tap, one step";

    // Two taps inside one slow frame.
    for (int tapInside = 0; tapInside < 2; ++tapInside) {
        input().press(Key::Right);
        input().release(Key::Right);
    }
    input().time += 0.6;
    frames(70);
    EXPECT_EQ(playing::round().hover.col, 5) << "two taps, two steps";

    // A key found down without a press counted, as a backend without key
    // events reports it, went down all the same, once.
    input().keys[static_cast<int>(Key::Down)] = true;
    frames(2);
    input().release(Key::Down);
    frames(1);
    EXPECT_EQ(playing::round().hover.row, 4);
}

TEST_F(KeyboardMenu, TheSelectorMovesOneRowPerTapThoughTheKeyWasLetGoInASlowFrame)
{
    mouseAt(400, 100);
    input().press(Key::Down);
    frames(1);
    EXPECT_EQ(pointer::mouseY, 292);
    input().release(Key::Down);
    input().time += 0.6;
    frames(5);
    EXPECT_EQ(pointer::mouseY, 292) << "still the first row after a stall of 0.6 s";
    input().press(Key::Down);
    input().release(Key::Down);
    input().time += 0.15;
    frames(5);
    EXPECT_EQ(pointer::mouseY, 374) << "a tap inside a stall of 0.15 s: the next row, no further";
}

namespace {

// The colour of the logical screen's pixel.
std::array<int, 3> colourAt(int x, int y)
{
    const std::vector<unsigned char> rgba = screen::pixels();
    const std::size_t at = (static_cast<std::size_t>(599 - y) * 800 + x) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2]};
}

bool nearly(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > 2)
            return false;
    return true;
}

} // namespace

TEST_F(KeyboardBoard, TheCellTheKeysSteeredToIsFramedOnALonePieceTooUntilTheMouseMoves)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    // Every piece is alone but the pair of 1s at the right, so the round goes on.
    boardtest::setBoard(playing::round().board, play::MODE_CLASSIC, {"012012012011", "120120120120"});
    mouseAt(steering::pointerXOf(5), steering::pointerYOf(7));
    frames(120);
    tap(Key::Down);
    ASSERT_EQ(std::pair(playing::round().hover.row, playing::round().hover.col), std::pair(8, 5));
    EXPECT_TRUE(pointer::steeredByKeys());
    // The frame's bright line runs 2 units inside its edges, 32 units out from the cell's centre.
    const int x = board::homeXOf(5), y = board::homeYOf(8);
    const std::array<int, 3> line = {255, 237, 153};
    const std::pair<int, int> onTheLine[] = {{x, y - 32}, {x - 16, y + 31}, {x - 32, y}, {x + 31, y}};
    for (const auto& [px, py] : onTheLine)
        EXPECT_TRUE(nearly(colourAt(px, py), line)) << px << "," << py;
    EXPECT_FALSE(nearly(colourAt(x, y), line)) << "the piece shows through";

    mouseAt(steering::pointerXOf(5) + 1, steering::pointerYOf(8));
    EXPECT_FALSE(pointer::steeredByKeys());
    for (const auto& [px, py] : onTheLine)
        EXPECT_FALSE(nearly(colourAt(px, py), line)) << "gone once the mouse moved: " << px << "," << py;
}
