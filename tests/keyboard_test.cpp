// Playing without a mouse: the arrows walk the pointer over the board and
// the menu rows, Enter clicks, starts the marked mode and continues.
#include <gtest/gtest.h>

#include <vector>

#include "app/menu.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/steering.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup;
using seam::Key;

namespace {

// One pair of like pieces, the 3s at the bottom, in columns 5 and 6.
const boardtest::Picture onePair = {"012301230123", "120123312301"};
const boardtest::Picture noMoves = {
    "012301230123", "123012301230", "230123012301", "301230123012", "012301230123",
    "123012301230", "230123012301", "301230123012", "012301230123",
};

class Keyboard : public testing::Test {
protected:
    void SetUp() override
    {
        harness::needResources();
        shell::screenState = shell::SCREEN_MENU;
        shell::quitRequested = false;
        shell::lastFrameTime = 0.0;
        menu::menuMarkerY = 315;
        harness::input().time = 1.0;
        mouseAt(400, 100); // above every menu row
    }

    static void mouseAt(double x, double y)
    {
        harness::input().cursorX = x;
        harness::input().cursorY = y;
    }
    static void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(shell::runFrame());
    }
    // A key down for one frame, then up for one.
    static void tap(Key key)
    {
        harness::input().press(key);
        frames(1);
        harness::input().release(key);
        frames(1);
    }
    static void taps(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            tap(key);
    }
    static void expectPointerOn(int row, int col)
    {
        EXPECT_EQ(pointer::mouseX, board::pointerXOf(col));
        EXPECT_EQ(pointer::mouseY, board::pointerYOf(row));
        EXPECT_EQ(board::hoverRow, row);
        EXPECT_EQ(board::hoverCol, col);
        EXPECT_EQ(harness::input().cursorX, board::pointerXOf(col)) << "the mouse moves with the pointer";
        EXPECT_EQ(harness::input().cursorY, board::pointerYOf(row));
    }
};

using KeyboardMenu = Keyboard;
using KeyboardBoard = Keyboard;

} // namespace

TEST_F(KeyboardBoard, AKeyboardOnlyClassicGameRemovesAGroupAndScoresIt)
{
    tap(Key::Down);
    EXPECT_EQ(pointer::mouseY, 292) << "the middle of the first row";
    tap(Key::Enter);
    ASSERT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    ASSERT_EQ(play::gameMode, play::MODE_CLASSIC);
    boardtest::setBoard(play::MODE_CLASSIC, onePair);

    // From the menu's (400, 292) the nearest cell is row 4, column 6.
    taps({Key::Down, Key::Down, Key::Down, Key::Down, Key::Left});
    expectPointerOn(8, 5);
    EXPECT_EQ(play::score, 0) << "arrows never click";
    tap(Key::Enter);
    EXPECT_EQ(play::score, 4);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({"01230..30123", "120121212301"}))
        << "the pair went and the pieces above it fell";
}

TEST_F(KeyboardBoard, ArrowsStepFromTheNearestCellAndStayOnTheBoardAtItsEdges)
{
    const struct {
        double x, y;
        Key key;
        int row, col;
    } steps[] = {
        {48, 28, Key::Up, 0, 0},       {48, 28, Key::Left, 0, 0},     {752, 540, Key::Down, 8, 11},
        {752, 540, Key::Right, 8, 11}, {48, 540, Key::Left, 8, 0},    {752, 28, Key::Up, 0, 11},
        {0, 0, Key::Right, 0, 1},      {800, 600, Key::Up, 7, 11},    {500, 300, Key::Down, 5, 7},
        {79, 59, Key::Right, 0, 1},    {80, 60, Key::Left, 1, 0},
    };
    shell::startClassicGame();
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.x << "," << step.y << " key " << int(step.key));
        mouseAt(step.x, step.y);
        frames(1);
        tap(step.key);
        expectPointerOn(step.row, step.col);
    }
}

TEST_F(KeyboardBoard, AHeldArrowRepeatsEveryFifteenHundredthsAfterFourTenths)
{
    shell::startClassicGame();
    mouseAt(board::pointerXOf(0), board::pointerYOf(3));
    frames(1);
    harness::input().press(Key::Right);
    const double start = harness::input().time;
    std::vector<int> columns;
    // Struck at once, then at 0.4, 0.55, 0.7 and 0.85 s.
    while (harness::input().time < start + 0.95) {
        frames(1);
        if (columns.empty() || columns.back() != board::hoverCol)
            columns.push_back(board::hoverCol);
    }
    EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(board::hoverRow, 3);
}

TEST_F(KeyboardBoard, EnterIsOneClickOnTheFrameItGoesDownAndObeysTheLockOut)
{
    shell::startClassicGame();
    boardtest::setBoard(play::MODE_CLASSIC, onePair);
    mouseAt(board::pointerXOf(5), board::pointerYOf(8));
    board::lastClickTime = harness::input().time - 0.2;
    tap(Key::Enter);
    EXPECT_EQ(play::score, 0) << "within 0.4 s of the last accepted click";
    EXPECT_GT(board::board[8][5].size, 64) << "only the hover swell";

    harness::input().time += 0.3;
    const double pressed = harness::input().time;
    harness::input().press(Key::Enter);
    frames(140);
    EXPECT_EQ(play::score, 4);
    EXPECT_EQ(board::lastClickTime, pressed) << "held for 2 s over the piece that fell in, Enter clicked once";
}

TEST_F(KeyboardMenu, UpAndDownGoFromRowToRowAndEnterStartsTheMarkedMode)
{
    const struct {
        double startY;
        std::vector<Key> keys;
        int pointerY, mode;
    } cases[] = {
        {100, {Key::Down}, 292, play::MODE_CLASSIC},
        {100, {Key::Down, Key::Down}, 374, play::MODE_REMOVE_TWO},
        {100, {Key::Down, Key::Down, Key::Down}, 454, play::MODE_FF},
        {100, {Key::Down, Key::Down, Key::Down, Key::Down}, 454, play::MODE_FF},
        {300, {Key::Down}, 374, play::MODE_REMOVE_TWO},
        {330, {Key::Up}, 292, play::MODE_CLASSIC},
        {550, {Key::Up}, 454, play::MODE_FF},
        {550, {Key::Up, Key::Up}, 374, play::MODE_REMOVE_TWO},
        {550, {Key::Up, Key::Up, Key::Up, Key::Up}, 292, play::MODE_CLASSIC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from y " << c.startY << ", " << c.keys.size() << " keys");
        shell::returnToMenu();
        mouseAt(400, c.startY);
        frames(1);
        for (Key key : c.keys)
            tap(key);
        EXPECT_EQ(pointer::mouseX, 400);
        EXPECT_EQ(pointer::mouseY, c.pointerY);
        EXPECT_EQ(harness::input().cursorY, c.pointerY) << "the mouse moves with the pointer";
        EXPECT_EQ(shell::screenState, shell::SCREEN_MENU) << "arrows only move";
        tap(Key::Enter);
        EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
        EXPECT_EQ(play::gameMode, c.mode);
    }
}

TEST_F(KeyboardMenu, EnterOutsideEveryRowStartsTheRowTheSelectorMarks)
{
    const struct {
        int markerY, mode;
    } cases[] = {{315, play::MODE_CLASSIC}, {397, play::MODE_REMOVE_TWO}, {475, play::MODE_FF}};
    for (const auto& c : cases) {
        shell::returnToMenu();
        menu::menuMarkerY = c.markerY;
        tap(Key::Enter);
        EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING) << c.markerY;
        EXPECT_EQ(play::gameMode, c.mode) << c.markerY;
    }
}

TEST_F(KeyboardMenu, EnterWithTheButtonDownStartsOneGame)
{
    mouseAt(400, 292);
    harness::input().button = true;
    harness::input().press(Key::Enter);
    frames(1);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    EXPECT_EQ(harness::timesPlayed(sound::snd12), 1) << "one round start, one start sound";
}

TEST_F(KeyboardBoard, EnterContinuesEveryEndScreenLikeSpace)
{
    shell::startClassicGame();
    boardtest::setBoard(play::MODE_CLASSIC, noMoves);
    frames(3);
    tap(Key::Enter);
    EXPECT_NE(boardtest::boardPicture(), boardtest::picture(noMoves)) << "classic, no more moves: dealt anew";

    shell::startRemoveTwoGame();
    board::clearBoard();
    frames(3);
    const double interval = game::feedInterval;
    tap(Key::Enter);
    EXPECT_DOUBLE_EQ(game::feedInterval, interval - 0.1) << "remove-two, board cleared: the next level";
    EXPECT_FALSE(board::boardIsEmpty());
    game::feedInterval = interval;

    shell::startFfGame();
    game::ffOver = true;
    frames(3);
    tap(Key::Enter);
    EXPECT_FALSE(game::ffOver) << "survival lost: a new round";
    EXPECT_LT(game::survivalTime, 0.1);
}
