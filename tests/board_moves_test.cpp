#include <gtest/gtest.h>

#include "board/board.h"
#include "board/moves.h"
#include "game/game_state.h"
#include "tests/board_picture.h"

using namespace kalup::board;
namespace game = kalup::game;

// A full board without a pair anywhere: colours 0 and 1 in a checkerboard,
// with single cells changed by each test.
namespace {

const boardtest::Picture checkerboard = {
    "010101010101", "101010101010", "010101010101",
    "101010101010", "010101010101", "101010101010",
    "010101010101", "101010101010", "010101010101",
};

void setCheckerboard(int mode = game::MODE_CLASSIC) { boardtest::setBoard(mode, checkerboard); }

} // namespace

TEST(MoveTest, CheckerboardHasNoMove)
{
    setCheckerboard();
    EXPECT_FALSE(movesAvailable());
}

TEST(MoveTest, PairInsideIsAMove)
{
    setCheckerboard();
    board[4][4].kind = board[4][5].kind;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, PairWhollyInRowZeroIsNotSeen)
{
    setCheckerboard();
    board[0][4].kind = 2;
    board[0][5].kind = 2;
    EXPECT_FALSE(movesAvailable());
}

TEST(MoveTest, VerticalPairInColumnElevenIsNotSeenButInColumnTenIs)
{
    setCheckerboard();
    board[3][11].kind = 2;
    board[4][11].kind = 2;
    EXPECT_FALSE(movesAvailable());
    setCheckerboard();
    board[3][10].kind = 2;
    board[4][10].kind = 2;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, PairAcrossColumnsTenAndElevenIsSeenFromColumnTen)
{
    setCheckerboard();
    board[8][10].kind = 2;
    board[8][11].kind = 2;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, LoneBombInColumnElevenIsNotSeenButInColumnTenIs)
{
    setCheckerboard();
    board[8][11].kind = KIND_BOMB;
    EXPECT_FALSE(movesAvailable());
    setCheckerboard();
    board[8][10].kind = KIND_BOMB;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, PaintPieceInsideIsAMove)
{
    setCheckerboard();
    board[5][5].kind = KIND_PAINT_1;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, LeftColumnIsSeen)
{
    setCheckerboard();
    board[3][0].kind = 2;
    board[4][0].kind = 2;
    EXPECT_TRUE(movesAvailable());
    setCheckerboard();
    board[5][0].kind = KIND_PAINT_0;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, PairAtTheTopOfTheLeftColumnIsSeenFromRowOne)
{
    setCheckerboard();
    board[0][0].kind = 2;
    board[1][0].kind = 2;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, BottomLeftCornerPairIsSeen)
{
    setCheckerboard();
    board[8][0].kind = 2;
    board[8][1].kind = 2;
    EXPECT_TRUE(movesAvailable());
    setCheckerboard();
    board[8][0].kind = KIND_BOMB;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, EmptyCornerBesideAnEmptyCellCountsAsAMove)
{
    // Raw kinds are compared, so two empty cells are "equal".
    setCheckerboard();
    board[8][0].kind = KIND_EMPTY;
    board[7][0].kind = KIND_EMPTY;
    EXPECT_TRUE(movesAvailable());
    setCheckerboard();
    board[8][0].kind = KIND_EMPTY;
    EXPECT_FALSE(movesAvailable()) << "an empty corner beside pieces is no move";
}

TEST(MoveTest, EmptyBoardHasAMoveAndIsCleared)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "............",
    });
    EXPECT_TRUE(movesAvailable());
    EXPECT_FALSE(boardCleared);
    EXPECT_TRUE(boardIsEmpty());
    EXPECT_TRUE(boardCleared);
}

TEST(MoveTest, OnePieceLeftIsNotEmptyAndLeavesTheFlag)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "...........3",
    });
    EXPECT_FALSE(boardIsEmpty());
    EXPECT_FALSE(boardCleared);
    boardCleared = true;
    EXPECT_FALSE(boardIsEmpty());
    EXPECT_TRUE(boardCleared);
}

TEST(MoveTest, DropBombsPairUp)
{
    setCheckerboard();
    board[4][4].kind = KIND_DROP_BOMB;
    EXPECT_FALSE(movesAvailable()) << "a single drop bomb does not act alone";
    board[4][5].kind = KIND_DROP_BOMB;
    EXPECT_TRUE(movesAvailable());
}

TEST(MoveTest, RemoveTwoColumnWithRoomIsAMove)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, {
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "0101010101..",
    });
    EXPECT_TRUE(movesAvailable());
    boardtest::setBoard(game::MODE_CLASSIC, {
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "0101010101..",
    });
    EXPECT_FALSE(movesAvailable());
}

TEST(MoveTest, RemoveTwoColumnsEmptyOrFullWithoutPairsHaveNoMove)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, {
        "0101010101..", "1010101010..", "0101010101..",
        "1010101010..", "0101010101..", "1010101010..",
        "0101010101..", "1010101010..", "0101010101..",
    });
    EXPECT_FALSE(movesAvailable());
}

TEST(MoveTest, RemoveTwoNeverAsksWhetherColumnElevenHasRoom)
{
    // Row 0 is tested for columns 0..10 only.
    setCheckerboard(game::MODE_REMOVE_TWO);
    board[0][11].kind = KIND_EMPTY;
    EXPECT_FALSE(movesAvailable());
}

TEST(MoveTest, PaintPieceInRowZeroIsSeenOnlyInRemoveTwo)
{
    setCheckerboard(game::MODE_REMOVE_TWO);
    board[0][4].kind = KIND_PAINT_2;
    EXPECT_TRUE(movesAvailable());
    setCheckerboard(game::MODE_CLASSIC);
    board[0][4].kind = KIND_PAINT_2;
    EXPECT_FALSE(movesAvailable());
}

TEST(MoveTest, UnseenPairCanStillBeRemovedByThePlayer)
{
    setCheckerboard();
    board[3][11].kind = 2;
    board[4][11].kind = 2;
    ASSERT_FALSE(movesAvailable());
    boardtest::clickAt(4, 11, 1.0);
    EXPECT_EQ(game::score, 4);
}
