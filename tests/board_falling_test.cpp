#include <gtest/gtest.h>

#include "board/board.h"
#include "board/falling.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace sound = kalup::sound;

TEST(Settle, StackAboveAGapDropsWhollyInOneCall)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        "...0........", "...1........", "...2........",
        "...3........", "............", "012.12012012",
    });
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "............", "............",
        "............", "............", "...0........",
        "...1........", "...2........", "012312012012",
    }));
    EXPECT_EQ(harness::timesPlayed(sound::snd7), 1);
}

TEST(Settle, FallenPieceGlidesOnlyTheLast64UnitsFromTheStaleY)
{
    boardtest::setBoard({
        "............", "............", "....2.......",
        "............", "............", "............",
        "............", "............", "0123.1230123",
    });
    board[8][4].x = 99;
    board[8][4].y = homeYOf(8) - 16;
    board[8][4].frame = 5;
    board[2][4].size = 90;
    settleBoard();
    const Cell& landed = board[8][4];
    EXPECT_EQ(landed.kind, 2);
    EXPECT_EQ(landed.y, homeYOf(8) - 16 - 64) << "the stale y of the cell it entered, less 64";
    EXPECT_EQ(landed.x, 99) << "x stays the cell's own";
    EXPECT_EQ(landed.frame, 5);
    EXPECT_EQ(landed.size, 64);
    EXPECT_EQ(board[5][4].y, homeYOf(5) - 64) << "every cell passed through keeps the step";
}

TEST(Settle, NothingToFallIsSilent)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "1...........", "012301230123",
    });
    settleBoard();
    EXPECT_EQ(harness::timesPlayed(sound::snd7), 0);
    EXPECT_EQ(harness::timesPlayed(sound::snd11), 0);
}

TEST(Compaction, EmptyColumnIsClosedByShiftingTheRightPartLeft)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "....1......3", "0...2......3", "012.01230123",
    });
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "............", "............",
        "............", "............", "............",
        "...1......3.", "0..2......3.", "01201230123.",
    }));
    EXPECT_EQ(harness::timesPlayed(sound::snd11), 1);
    EXPECT_EQ(board[8][3].x, homeXOf(4)) << "the piece starts where it stood";
    EXPECT_EQ(board[8][10].x, homeXOf(11));
    EXPECT_EQ(board[8][0].x, homeXOf(0));
}

TEST(Compaction, TwoEmptyColumnsCloseOneAFrame)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "012..1230123",
    });
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(8 * 13), "012.1230123.\n");
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(8 * 13), "0121230123..\n");
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(8 * 13), "0121230123..\n");
}

TEST(Compaction, EmptyLastColumnShiftsNothing)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "0...........", "01230123012.",
    });
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "............", "............",
        "............", "............", "............",
        "............", "0...........", "01230123012.",
    }));
    EXPECT_EQ(harness::timesPlayed(sound::snd11), 0);
}

TEST(Compaction, ShiftOfEmptyColumnsOnlyIsSilent)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "012.........",
    });
    settleBoard();
    EXPECT_EQ(harness::timesPlayed(sound::snd11), 0);
    EXPECT_EQ(boardtest::boardPicture().substr(8 * 13), "012.........\n");
}

TEST(Compaction, RemoveTwoClosesColumnsToo)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, {
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", ".12.........",
    });
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(8 * 13), "12..........\n");
}

TEST(Compaction, SurvivalLeavesEmptyColumnsOpen)
{
    boardtest::setBoard(game::MODE_FF, {
        "............", "............", "............",
        "............", "............", "............",
        "............", "3...........", ".12.3.......",
    });
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(7 * 13), "............\n312.3.......\n");
}

TEST(Compaction, RemovalFallAndCloseHappenInTheSameFrame)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", ".2..........", "0113........",
    });
    boardtest::clickAt(8, 1, 1.0);
    EXPECT_EQ(board[8][1].kind, KIND_EMPTY);
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(7 * 13), "............\n023.........\n");
}

TEST(DropBombs, DropBombAboveTheBottomRowGoesOffWhereItStands)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        ".....5......", "............", ".....1......",
        "...0121.....", ".....2......", "012301230123",
    });
    boardtest::setFeedSlot(5, 2);
    boardtest::setFeedSlot(6, 1);
    settleBoard();
    EXPECT_EQ(harness::timesPlayed(sound::sndExplos1), 1);
    EXPECT_EQ(feedRow[5].kind, KIND_EMPTY) << "the feed piece over its column is lost";
    EXPECT_EQ(feedRow[6].kind, 1);
    EXPECT_EQ(boardtest::burstsOf<kalup::fx::StarBurstEmitter>(), 9) << "a drop bomb blasts once";
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "............", "............",
        "............", "............", "............",
        ".....2......", "...0121.....", "012301230123",
    }));
}

TEST(DropBombs, DropBombInTheBottomRowStays)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "012351230123",
    });
    settleBoard();
    EXPECT_EQ(board[8][4].kind, KIND_DROP_BOMB);
    EXPECT_TRUE(kalup::fx::liveEmitters.empty());
}
