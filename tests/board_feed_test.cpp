#include <gtest/gtest.h>

#include <set>

#include "board/board.h"
#include "board/falling.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "platform/random.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace sound = kalup::sound;

namespace {

// Every column full to the top but column 2, whose top piece is in row 5.
const boardtest::Picture roomInColumnTwo = {
    "01.301230123", "12.012301230", "01.301230123",
    "12.012301230", "01.301230123", "120012301230",
    "013301230123", "120012301230", "013301230123",
};

void dropFrames(int frames)
{
    for (int n = 0; n < frames; ++n)
        dropFeedRow();
}

} // namespace

TEST(FeedRow, DealSkipsEmptyAndFullColumns)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, {
        ".1..........", ".1..........", ".1..........",
        ".1..........", ".1..........", ".1..........",
        ".1..........", ".1..........", ".10123012301",
    });
    feedActive = true;
    kalup::random::seed(3);
    generateFeedRow();
    EXPECT_FALSE(feedActive);
    EXPECT_EQ(feedRow[0].kind, KIND_EMPTY) << "empty column";
    EXPECT_EQ(feedRow[1].kind, KIND_EMPTY) << "full column";
    for (int col = 2; col < COLS; ++col) {
        const Cell& slot = feedRow[col];
        EXPECT_GE(slot.kind, 0);
        EXPECT_EQ(slot.x, homeXOf(col));
        EXPECT_EQ(slot.y, 12);
        EXPECT_EQ(slot.size, 66);
        EXPECT_EQ(slot.frame, 0);
        EXPECT_EQ(slot.texture, static_cast<int>(kalup::textures::texPieces[slot.kind]));
    }
}

TEST(FeedRow, DealtPiecesAreThreeColoursWithSpecialsAndDropBombs)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, {
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "012301230123",
    });
    std::multiset<int> kinds;
    kalup::random::seed(11);
    for (int deal = 0; deal < 400; ++deal) {
        generateFeedRow();
        for (const Cell& slot : feedRow)
            kinds.insert(slot.kind);
    }
    EXPECT_EQ(kinds.count(3), 0u);
    EXPECT_EQ(kinds.count(KIND_EMPTY), 0u);
    for (int kind : {0, 1, 2})
        EXPECT_GT(kinds.count(kind), 1300u) << kind;
    for (int kind : {4, 5, 6, 7, 8, 9})
        EXPECT_GT(kinds.count(kind), 20u) << kind;
    EXPECT_GT(kinds.count(KIND_DROP_BOMB), kinds.count(KIND_BOMB)) << "drop bombs are twice as likely";
}

TEST(FeedRow, WaitingRowStaysUntilReleased)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    boardtest::setFeedSlot(2, 1);
    dropFrames(5);
    EXPECT_EQ(feedRow[2].y, 12);
}

TEST(FeedRow, PieceFallsSixteenAFrameAndLandsOnTheColumn)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    boardtest::setFeedSlot(2, 1);
    board[4][2].x = 77;
    feedActive = true;
    dropFrames(1);
    EXPECT_EQ(feedRow[2].y, 28);
    // 2 + 4 * 4 frames bring it to the home of row 4.
    dropFrames(17);
    EXPECT_EQ(feedRow[2].y, homeYOf(4));
    EXPECT_EQ(board[4][2].kind, KIND_EMPTY);
    dropFrames(1);
    EXPECT_EQ(board[4][2].kind, 1);
    EXPECT_EQ(board[4][2].texture, static_cast<int>(kalup::textures::texPieces[1]));
    EXPECT_EQ(board[4][2].x, 77) << "the cell keeps its own position";
    EXPECT_FALSE(feedActive) << "all landed: the next row is dealt and waits";
    EXPECT_EQ(feedRow[2].y, 12);
}

TEST(FeedRow, PieceOverAColumnEmptiedSinceTheDealFallsThroughAndIsLost)
{
    boardtest::needSounds();
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    boardtest::setFeedSlot(2, 0);
    for (int row = 5; row < ROWS; ++row)
        board[row][2].kind = KIND_EMPTY;
    feedActive = true;
    dropFrames(34);
    EXPECT_EQ(feedRow[2].y, 556);
    EXPECT_EQ(feedRow[2].kind, 0);
    EXPECT_EQ(harness::timesPlayed(sound::snd3), 0);
    dropFrames(1);
    EXPECT_EQ(harness::timesPlayed(sound::snd3), 1);
    EXPECT_EQ(board[8][2].kind, KIND_EMPTY) << "no board cell changes";
    EXPECT_EQ(feedRow[2].kind, KIND_EMPTY) << "the new deal skips the empty column";
    EXPECT_FALSE(feedActive);
}

TEST(FeedRow, PieceOverAFullColumnWaitsUntilTheNextDeal)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    boardtest::setFeedSlot(1, 3);
    boardtest::setFeedSlot(2, 1);
    feedActive = true;
    dropFrames(10);
    EXPECT_EQ(feedRow[1].y, 12);
    EXPECT_EQ(feedRow[1].kind, 3);
    EXPECT_EQ(board[0][1].kind, 1) << "nothing lands on a full column";
    dropFrames(9);
    EXPECT_EQ(board[4][2].kind, 1);
    EXPECT_EQ(feedRow[1].kind, KIND_EMPTY) << "replaced by the next deal";
}

TEST(FeedRow, PieceOverAColumnShiftedInUnderItLandsOnTopOfTheStack)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, {
        "............", "............", "....1.......",
        "....2.......", "....3.......", "....0.......",
        "...01.......", "...12.......", "0.023.......",
    });
    boardtest::setFeedSlot(3, 2);
    feedActive = true;
    dropFrames(15);
    ASSERT_EQ((feedRow[3].y + 20) / 64, 4) << "falling past row 4";
    compactColumns();
    ASSERT_EQ(board[2][3].kind, 1) << "the tall column now stands under the piece";
    dropFrames(1);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "...2........", "...1........",
        "...2........", "...3........", "...0........",
        "..01........", "..12........", "0023........",
    })) << "no piece is landed on";
    EXPECT_FALSE(feedActive) << "landed: the next row is dealt";
}

TEST(FeedRow, EmptyRowReleasedIsDealtAtOnce)
{
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    feedActive = true;
    dropFeedRow();
    EXPECT_FALSE(feedActive);
    EXPECT_GE(feedRow[2].kind, 0);
    EXPECT_EQ(feedRow[0].kind, KIND_EMPTY);
}

TEST(FeedRow, FallingDropBombWhistlesThenGoesOffWhereItLands)
{
    boardtest::needSounds();
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    boardtest::setFeedSlot(2, KIND_DROP_BOMB);
    feedActive = true;
    dropFrames(19);
    EXPECT_EQ(harness::timesPlayed(sound::sndFall), 19);
    ASSERT_EQ(board[4][2].kind, KIND_DROP_BOMB);
    feedRow[2].kind = 0;
    settleBoard();
    EXPECT_EQ(harness::timesPlayed(sound::sndExplos1), 1);
    EXPECT_EQ(feedRow[2].kind, KIND_EMPTY);
    EXPECT_EQ(board[4][2].kind, KIND_EMPTY);
    EXPECT_EQ(board[6][2].kind, KIND_EMPTY);
    EXPECT_EQ(board[7][2].kind, 0) << "beyond the cross";
    EXPECT_EQ(board[0][0].kind, KIND_EMPTY) << "the blasted (4, 0) was refilled from above\n" << boardtest::boardPicture();
    EXPECT_EQ(boardtest::burstsOf<kalup::fx::StarBurstEmitter>(), 9);
}

TEST(FeedRow, DrawnRowShrinksToSizeAndAnimatesOnlySpecials)
{
    harness::needDisplay();
    boardtest::setBoard(game::MODE_REMOVE_TWO, roomInColumnTwo);
    boardtest::setFeedSlot(0, 2);
    boardtest::setFeedSlot(1, KIND_BOMB);
    boardtest::setFeedSlot(2, KIND_DROP_BOMB);
    boardtest::setFeedSlot(3, KIND_PAINT_2);
    drawFeedRow();
    EXPECT_EQ(feedRow[0].size, 65);
    for (int frame = 0; frame < 15; ++frame)
        drawFeedRow();
    EXPECT_EQ(feedRow[0].size, 64);
    EXPECT_EQ(feedRow[0].frame, 0);
    EXPECT_EQ(feedRow[1].frame, 0);
    EXPECT_EQ(feedRow[2].frame, 0) << "specials use all 16 frames";
    EXPECT_EQ(feedRow[3].frame, 0);
    drawFeedRow();
    EXPECT_EQ(feedRow[3].frame, 1);
    EXPECT_EQ(feedRow[3].y, 12) << "drawing does not move the row";
}
