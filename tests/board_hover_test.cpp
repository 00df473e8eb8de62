#include <gtest/gtest.h>

#include "app/shell.h"
#include "board/board.h"
#include "board/groups.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace shell = kalup::shell;

namespace {

void cursorAt(int x, int y)
{
    shell::mouseX = x;
    shell::mouseY = y;
    mouseToCell();
}

const boardtest::Picture pairAtBottomLeft = {
    "............", "............", "............",
    "............", "............", "............",
    "............", "1...........", "00.2........",
};

} // namespace

TEST(CursorBands, ColumnsAnswerSixteenUnitsRightOfTheirEdge)
{
    cursorAt(0, 300);
    EXPECT_EQ(hoverCol, 0);
    cursorAt(79, 300);
    EXPECT_EQ(hoverCol, 0);
    cursorAt(80, 300);
    EXPECT_EQ(hoverCol, 1);
    cursorAt(719, 300);
    EXPECT_EQ(hoverCol, 10);
    cursorAt(720, 300);
    EXPECT_EQ(hoverCol, 11);
    cursorAt(800, 300);
    EXPECT_EQ(hoverCol, 11);
}

TEST(CursorBands, RowsAnswerFourUnitsAboveTheirEdge)
{
    cursorAt(400, 0);
    EXPECT_EQ(hoverRow, 0);
    cursorAt(400, 59);
    EXPECT_EQ(hoverRow, 0);
    cursorAt(400, 60);
    EXPECT_EQ(hoverRow, 1);
    cursorAt(400, 571);
    EXPECT_EQ(hoverRow, 8);
    cursorAt(400, 600);
    EXPECT_EQ(hoverRow, 8);
}

TEST(Hover, GroupUnderTheCursorSwellsToNinetySix)
{
    boardtest::setBoard(pairAtBottomLeft);
    boardtest::pointAt(8, 1);
    for (int frame = 0; frame < 20; ++frame)
        handleBoardInput();
    EXPECT_EQ(board[8][0].size, 96);
    EXPECT_EQ(board[8][1].size, 96);
    EXPECT_EQ(board[7][0].size, 64);
    EXPECT_EQ(board[8][3].size, 64);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(pairAtBottomLeft)) << "no mark is left behind";
}

TEST(Hover, LonePieceIsNotHighlighted)
{
    boardtest::setBoard(pairAtBottomLeft);
    boardtest::pointAt(8, 3);
    handleBoardInput();
    EXPECT_EQ(board[8][3].size, 64);
    EXPECT_EQ(groupCount, 0);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(pairAtBottomLeft));
}

TEST(Hover, EmptyCellDoesNothingAndLeavesTheLockOut)
{
    boardtest::setBoard(pairAtBottomLeft);
    boardtest::clickAt(4, 4, 5.0);
    EXPECT_EQ(lastClickTime, -10.0);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(pairAtBottomLeft));
}

TEST(Hover, HoveredGroupClimbsOneAFrameThenSwingsBetween97And96)
{
    harness::needDisplay();
    boardtest::setBoard(pairAtBottomLeft);
    boardtest::pointAt(8, 0);
    auto frame = [] {
        animateBoard();
        handleBoardInput();
    };
    frame();
    EXPECT_EQ(board[8][0].size, 66);
    for (int n = 2; n <= 31; ++n)
        frame();
    EXPECT_EQ(board[8][0].size, 96);
    frame();
    EXPECT_EQ(board[8][0].size, 97);
    frame();
    EXPECT_EQ(board[8][0].size, 96);
    frame();
    EXPECT_EQ(board[8][1].size, 97);
}

TEST(Ghosts, GhostTakesThePieceAsDrawn)
{
    boardtest::setBoard(pairAtBottomLeft);
    board[8][0].size = 96;
    board[8][0].x = 50;
    board[8][0].y = 540;
    ghostLayer[8][0].frame = 7;
    spawnGhost(8, 0);
    const Cell& ghost = ghostLayer[8][0];
    EXPECT_EQ(ghost.x, 50);
    EXPECT_EQ(ghost.y, 540);
    EXPECT_EQ(ghost.size, 96);
    EXPECT_EQ(ghost.fade, 1.0f);
    EXPECT_EQ(ghost.frame, 7) << "the frame carries on from the slot";
    EXPECT_EQ(ghost.texture, board[8][0].texture);
}

TEST(Ghosts, BombLeavesTheBlastPicture)
{
    harness::needDisplay();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "4...........",
    });
    spawnGhost(8, 0);
    EXPECT_EQ(ghostLayer[8][0].texture, static_cast<int>(kalup::textures::texBurstAlt));
}

TEST(Ghosts, GhostGrowsCyclesAllFramesAndFadesOutOver36Frames)
{
    harness::needDisplay();
    boardtest::setBoard(pairAtBottomLeft);
    ghostLayer[8][0].frame = 14;
    spawnGhost(8, 0);
    updateGhosts();
    EXPECT_EQ(ghostLayer[8][0].frame, 15);
    EXPECT_EQ(ghostLayer[8][0].size, 66);
    updateGhosts();
    EXPECT_EQ(ghostLayer[8][0].frame, 0);
    for (int frame = 3; frame <= 35; ++frame)
        updateGhosts();
    EXPECT_GT(ghostLayer[8][0].fade, 0.0f) << "still drawn in its 36th frame";
    updateGhosts();
    EXPECT_LE(ghostLayer[8][0].fade, 0.0f);
    const int size = ghostLayer[8][0].size;
    updateGhosts();
    EXPECT_EQ(ghostLayer[8][0].size, size) << "a faded ghost is left alone";
}

TEST(Ghosts, NewGhostRestartsAFadingSlot)
{
    boardtest::setBoard(pairAtBottomLeft);
    spawnGhost(8, 0);
    ghostLayer[8][0].fade = 0.3f;
    spawnGhost(8, 0);
    EXPECT_EQ(ghostLayer[8][0].fade, 1.0f);
}
