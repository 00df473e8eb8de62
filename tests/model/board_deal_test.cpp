#include <gtest/gtest.h>
#include <set>
#include <vector>

#include "board/animation.h"
#include "board/board.h"
#include "board/clicks.h"
#include "board/deal.h"
#include "board/ghosts.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "platform/random.h"
#include "tests/board_picture.h"

using namespace kalup::board;
using namespace boardtest;
namespace play = kalup::play;

static void deal(int mode, unsigned seed)
{
    state().gameMode = mode;
    kalup::random::seed(seed);
    clearBoard(state());
    fillBoard(state(), mode == play::MODE_REMOVE_TWO ? 4 : 3);
}

TEST(Deal, EachModeDealsItsOwnKindsInItsOwnRows)
{
    const struct { int mode; std::set<int> kinds; } cases[] = {{play::MODE_CLASSIC, {0, 1, 2, 4, 6, 7, 8, 9}},
        {play::MODE_REMOVE_TWO, {0, 1, 2, 3}}, {play::MODE_SURVIVAL, {KIND_EMPTY, 0, 1, 2}}};
    for (const auto& c : cases) {
        std::multiset<int> kinds;
        for (unsigned seed = 1; seed <= 40; ++seed) {
            deal(c.mode, seed);
            for (int cell = 0; cell < ROWS * COLS; ++cell) {
                const int kind = state().board[cell / COLS][cell % COLS].kind;
                kinds.insert(kind);
                ASSERT_TRUE(c.mode != play::MODE_SURVIVAL || (kind == KIND_EMPTY) == (cell < 6 * COLS)) << "rows 6..8 only";
            }
        }
        EXPECT_EQ(std::set<int>(kinds.begin(), kinds.end()), c.kinds) << "mode " << c.mode;
        EXPECT_LT(std::count_if(kinds.begin(), kinds.end(), [](int kind) { return kind >= KIND_BOMB; }), 150)
            << "1 in 200 per cell for each of the five special kinds";
    }
}

TEST(BoardAnimation, DealtPiecesRestFourAboveHomeLiftedOnesAtHomeAndAClearedBoardStandsStill)
{
    deal(play::MODE_CLASSIC, 77);
    Board shown;
    state().boardAlpha = 0.0f;
    state().boardCleared = false;
    for (int frame = 0; frame < 50; ++frame)
        animateBoard(state(), 0.0, shown);
    EXPECT_NEAR(state().boardAlpha, 0.5f, 0.001f) << "fading in over 100 frames";
    for (int frame = 0; frame < 150; ++frame)
        animateBoard(state(), 0.0, shown);
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            ASSERT_TRUE(state().board[row][col].x == 48 + 64 * col && state().board[row][col].y == 40 + 64 * row
                && state().board[row][col].size == 64) << row << "," << col;
    liftBoard(state());
    animateBoard(state(), 0.0, shown);
    animateBoard(state(), 0.0, shown);
    EXPECT_EQ(state().board[3][3].y, homeYOf(3));
    liftBoard(state());
    state().boardCleared = true;
    state().board[3][3].size = 80;
    animateBoard(state(), 0.0, shown);
    const Cell& cell = state().board[3][3];
    EXPECT_TRUE(cell.y == homeYOf(3) - 16 && cell.size == 79) << "standing still, yet relaxing";
}

TEST(CursorBands, CursorTipPicksTheCell)
{
    const struct { int x, y, row, col; } cases[] = {
        {0, 0, 0, 0}, {79, 59, 0, 0}, {80, 60, 1, 1}, {719, 507, 7, 10}, {720, 508, 8, 11}, {800, 600, 8, 11}};
    for (const auto& c : cases) {
        const CellPos cell = cellUnderPointer(c.x, c.y);
        EXPECT_EQ(std::pair(cell.row, cell.col), std::pair(c.row, c.col)) << c.x << "," << c.y;
    }
}

TEST(Hover, HoveredGroupSwellsToNinetySixAndLeavesGhostsFadingOver36Frames)
{
    setBoard({"1...........", "00.2........"});
    pointAt(8, 0);
    Board shown;
    std::vector<int> sizes;
    for (int frame = 0; frame < 34; ++frame) {
        animateBoard(state(), 0.0, shown);
        handleBoardInput(state(), pointedAt(), events());
        sizes.push_back(state().board[8][1].size);
    }
    EXPECT_EQ(sizes[0], 66);
    EXPECT_EQ(std::vector<int>(sizes.begin() + 29, sizes.end()), (std::vector<int>{95, 96, 97, 96, 97}));
    EXPECT_TRUE(state().board[7][0].size == 64 && state().board[8][3].size == 64) << "only the group swells";
    state().ghostLayer[8][1].frame = 14;
    clickAt(8, 0, 1.0);
    const Cell& ghost = state().ghostLayer[8][1];
    for (int frame = 1; frame <= 36; ++frame) {
        ASSERT_GT(ghost.fade, 0.0f) << "drawn in frame " << frame;
        fadeGhosts(state());
    }
    EXPECT_LE(ghost.fade, 0.0f);
    EXPECT_EQ(ghost.frame, (14 + 36) % 16) << "all 16 frames, carrying on from the slot's last";
    EXPECT_EQ(ghost.size, 97 + 36 * 2) << "growing 2 a frame from the piece's drawn size";
    fadeGhosts(state());
    EXPECT_EQ(ghost.size, 97 + 36 * 2) << "a faded ghost is left alone";
}

TEST(MoveTest, FixedScanSeesOnlyTheCellsItExamines)
{
    // Changes to a pair-free checkerboard, and whether the scan then finds a move.
    struct Change { int row, col, kind; };
    const int classic = play::MODE_CLASSIC, removeTwo = play::MODE_REMOVE_TWO, empty = KIND_EMPTY;
    const struct { int mode; std::vector<Change> changes; bool move; } cases[] = {
        {classic, {}, false}, {removeTwo, {}, false}, {classic, {{4, 4, 2}, {4, 5, 2}}, true},
        {classic, {{0, 4, 2}, {0, 5, 2}}, false}, {classic, {{0, 0, 2}, {1, 0, 2}}, true},
        {classic, {{3, 11, 2}, {4, 11, 2}}, false}, {classic, {{3, 10, 2}, {4, 10, 2}}, true},
        {classic, {{8, 10, 2}, {8, 11, 2}}, true}, {classic, {{8, 11, KIND_BOMB}}, false},
        {classic, {{8, 10, KIND_BOMB}}, true}, {classic, {{5, 0, KIND_PAINT_0}}, true},
        {classic, {{8, 0, KIND_BOMB}}, true}, {classic, {{8, 0, 2}, {8, 1, 2}}, true},
        {classic, {{8, 0, empty}}, false}, {classic, {{8, 0, empty}, {7, 0, empty}}, true},
        {classic, {{4, 4, KIND_DROP_BOMB}}, false}, {classic, {{4, 4, KIND_DROP_BOMB}, {4, 5, KIND_DROP_BOMB}}, true},
        {classic, {{0, 4, KIND_PAINT_2}}, false}, {removeTwo, {{0, 4, KIND_PAINT_2}}, true},
        {classic, {{0, 3, empty}}, false}, {removeTwo, {{0, 3, empty}}, true}, {removeTwo, {{0, 11, empty}}, false}};
    for (const auto& c : cases) {
        setBoard(c.mode, {"010101010101", "101010101010", "010101010101", "101010101010", "010101010101",
            "101010101010", "010101010101", "101010101010", "010101010101"});
        for (const Change& change : c.changes)
            state().board[change.row][change.col].kind = change.kind;
        EXPECT_EQ(movesAvailable(state()), c.move) << "mode " << c.mode << "\n" << boardPicture();
    }
}

TEST(MoveTest, EmptyBoardHasAMoveAndTheQueryOnlyAnswers)
{
    setBoard({"...........3"});
    state().boardCleared = true;
    EXPECT_TRUE(!boardIsEmpty(state()) && state().boardCleared) << "one piece left: the flag stays as it was";
    state().boardCleared = false;
    state().board[8][11].kind = KIND_EMPTY;
    EXPECT_TRUE(movesAvailable(state())) << "two empty cells compare equal";
    EXPECT_TRUE(boardIsEmpty(state()) && !state().boardCleared) << "the round's frame notes a cleared board";
}
