#include <gtest/gtest.h>

#include <set>

#include "board/board.h"
#include "board/falling.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "platform/random.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;

namespace {

const boardtest::Picture survivalBoard = {
    "............", "............", "............",
    "............", "............", "............",
    "0...........", "12..........", "012012012012",
};

} // namespace

TEST(Rise, EveryRowMovesUpAndANewRowComesFromBelow)
{
    boardtest::needSounds();
    boardtest::setBoard(game::MODE_FF, survivalBoard);
    board[7][1].x = 70;
    board[7][1].size = 80;
    kalup::random::seed(5);
    raiseBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(0, 8 * 13), boardtest::picture({
        "............", "............", "............",
        "............", "............", "0...........",
        "12..........", "012012012012",
    }));
    for (int col = 0; col < COLS; ++col) {
        EXPECT_EQ(board[5][col].y, homeYOf(6)) << "starts where it stood";
        EXPECT_EQ(board[7][col].y, homeYOf(8));
        EXPECT_GE(board[8][col].kind, 0);
        EXPECT_EQ(board[8][col].y, 620) << "glides in from below the screen";
        EXPECT_EQ(board[8][col].texture, static_cast<int>(kalup::textures::texPieces[board[8][col].kind]));
    }
    EXPECT_EQ(board[7][1].x, 70) << "x and size stay with the cell";
    EXPECT_EQ(board[7][1].size, 80);
    EXPECT_EQ(board[6][1].x, homeXOf(1));
    EXPECT_EQ(harness::timesPlayed(kalup::sound::snd11), 1);
}

TEST(Rise, RisingRowsBringFourColoursAndSpecialsButNoDropBombs)
{
    std::multiset<int> kinds;
    kalup::random::seed(8);
    for (int rise = 0; rise < 300; ++rise) {
        boardtest::setBoard(game::MODE_FF, survivalBoard);
        raiseBoard();
        for (const Cell& cell : board[8])
            kinds.insert(cell.kind);
    }
    for (int kind : {0, 1, 2, 3})
        EXPECT_GT(kinds.count(kind), 700u) << kind;
    for (int kind : {4, 6, 7, 8, 9})
        EXPECT_GT(kinds.count(kind), 10u) << kind;
    EXPECT_EQ(kinds.count(KIND_DROP_BOMB), 0u);
}

TEST(Rise, TopRowIsEmptyLooksAtRowZeroOnly)
{
    boardtest::setBoard(game::MODE_FF, survivalBoard);
    EXPECT_TRUE(topRowIsEmpty());
    board[0][11].kind = 2;
    EXPECT_FALSE(topRowIsEmpty());
}
