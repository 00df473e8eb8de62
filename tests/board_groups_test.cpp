#include <gtest/gtest.h>

#include "board/board.h"
#include "board/groups.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "tests/board_picture.h"

using namespace kalup::board;
namespace game = kalup::game;

namespace {

// Hovers the cell and reports the size of the group the sweeps found.
int groupSizeAt(int row, int col)
{
    boardtest::pointAt(row, col);
    handleBoardInput();
    return groupCount + 1;
}

} // namespace

TEST(GroupMarking, TopLeftCornerReachesBothNeighbours)
{
    boardtest::setBoard({
        "22..........", "2...........", "............",
        "............", "............", "............",
        "............", "............", "............",
    });
    EXPECT_EQ(groupSizeAt(0, 0), 3);
}

TEST(GroupMarking, TopRightCornerReachesBothNeighbours)
{
    boardtest::setBoard({
        "..........22", "...........2", "............",
        "............", "............", "............",
        "............", "............", "............",
    });
    EXPECT_EQ(groupSizeAt(0, 11), 3);
}

TEST(GroupMarking, BottomLeftCornerReachesBothNeighbours)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "1...........", "11..........",
    });
    EXPECT_EQ(groupSizeAt(8, 0), 3);
}

TEST(GroupMarking, BottomRightCornerSpreadsUpAndLeftNeverDiagonally)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "..........00", "..........00",
    });
    EXPECT_EQ(groupSizeAt(8, 11), 4);
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "..........01", "..........10",
    });
    EXPECT_EQ(groupSizeAt(8, 11), 1);
}

TEST(GroupMarking, EdgesCarryTheGroupAroundTheBoard)
{
    // The frame of the board, 38 pieces, clicked at the top.
    boardtest::setBoard({
        "333333333333", "3..........3", "3..........3",
        "3..........3", "3..........3", "3..........3",
        "3..........3", "3..........3", "333333333333",
    });
    EXPECT_EQ(groupSizeAt(0, 5), 38);
}

TEST(GroupMarking, SweepsGoOneStepPerPassAgainstTheirDirection)
{
    // Clicked at its right end, a row is marked leftwards one cell a pass;
    // ten cells are well within the limit.
    boardtest::setBoard({
        "............", "............", "............",
        "............", ".1111111111.", "............",
        "............", "............", "............",
    });
    EXPECT_EQ(groupSizeAt(4, 10), 10);
}

TEST(GroupMarking, WindingGroupStopsAfterThirtyOnePasses)
{
    // 64 connected pieces, but 37 passes would be needed for all of them.
    boardtest::setBoard({
        "000000000000",
        "111111111110",
        "000000000000",
        "011111111111",
        "000000000000",
        "111111111110",
        "000000000000",
        "011111111111",
        "000000000000",
    });
    boardtest::clickAt(0, 0, 1.0);
    EXPECT_EQ(groupCount + 1, 58);
    EXPECT_EQ(game::score, 3364);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............",
        "11111111111.",
        "............",
        ".11111111111",
        "............",
        "11111111111.",
        "............",
        ".11111111111",
        "......000000",
    }));
}

TEST(GroupMarking, DropBombsGroupLikeColours)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "55..........",
    });
    boardtest::clickAt(8, 1, 1.0);
    EXPECT_EQ(game::score, 4);
    EXPECT_EQ(board[8][0].kind, KIND_EMPTY);
    EXPECT_EQ(board[8][1].kind, KIND_EMPTY);
    ASSERT_EQ(kalup::fx::liveEmitters.size(), 2u);
    for (auto* emitter : kalup::fx::liveEmitters)
        EXPECT_EQ(dynamic_cast<kalup::fx::BallBurstEmitter&>(*emitter).texture, 0u) << "no ball sprite";
}

TEST(GroupMarking, MarkIfSameTakesOnlyLikePiecesOnTheBoard)
{
    boardtest::setBoard({
        "0...........", "............", "............",
        "............", "............", "............",
        "............", "............", "............",
    });
    EXPECT_EQ(markIfSame(0, 0, 1), 0);
    EXPECT_EQ(markIfSame(-1, 0, 0), 0);
    EXPECT_EQ(markIfSame(0, 12, KIND_EMPTY), 0);
    EXPECT_EQ(markIfSame(1, 0, KIND_EMPTY), 0) << "empty cells never join";
    EXPECT_EQ(markIfSame(0, 0, 0), 1);
    EXPECT_EQ(board[0][0].kind, KIND_MARKED);
    EXPECT_EQ(markIfSame(0, 0, KIND_MARKED), 0);
}
