#include <gtest/gtest.h>
#include <set>

#include "board/board.h"
#include "board/falling.h"
#include "board/feed.h"
#include "board/play.h"
#include "board/rise.h"
#include "platform/random.h"
#include "tests/board_picture.h"

using namespace kalup::board;
using namespace boardtest;
namespace play = kalup::play;
using What = RecordedEvents::What;

static void dropFrames(int frames)
{
    for (int n = 0; n < frames; ++n)
        dropFeedRow(state(), events());
}

TEST(Settle, StacksFallInOneCallAndOneEmptyColumnClosesPerCallNeverColumnElevenNorInSurvival)
{
    // The board after one call and, where it differs, after a second one.
    const struct { int mode; Picture before, once, twice; int falls, shifts; } cases[] = {
        {play::MODE_CLASSIC, {"...0........", "...1........", "...2........", "...3........", "............",
            "012.12012012"}, {"...0........", "...1........", "...2........", "012312012012"}, {}, 1, 0},
        {play::MODE_CLASSIC, {"....1......3", "0...2......3", "012.01230123"},
            {"...1......3.", "0..2......3.", "01201230123."}, {}, 0, 1},
        {play::MODE_CLASSIC, {"012..1230123"}, {"012.1230123."}, {"0121230123.."}, 0, 2},
        {play::MODE_CLASSIC, {"0...........", "01230123012."}, {"0...........", "01230123012."}, {}, 0, 0},
        {play::MODE_CLASSIC, {"012........."}, {"012........."}, {}, 0, 0},
        {play::MODE_REMOVE_TWO, {".12........."}, {"12.........."}, {}, 0, 1},
        {play::MODE_SURVIVAL, {"3...........", ".12.3......."}, {"312.3......."}, {}, 1, 0}};
    for (const auto& c : cases) {
        setBoard(c.mode, c.before);
        settleBoard(state(), events());
        EXPECT_EQ(boardPicture(), picture(c.once)) << picture(c.before);
        settleBoard(state(), events());
        EXPECT_EQ(boardPicture(), picture(c.twice.size() ? c.twice : c.once)) << picture(c.before);
        EXPECT_EQ(events().timesPlayed(Sound::PiecesFell), c.falls) << picture(c.before);
        EXPECT_EQ(events().timesPlayed(Sound::ColumnClosed), c.shifts) << picture(c.before);
    }
    setBoard({"3...........", "............", "0.1........."});
    state().board[7][0].y = homeYOf(7) - 16;
    settleBoard(state(), events());
    EXPECT_EQ(state().board[7][0].y, homeYOf(7) - 16 - 64) << "a fallen piece glides from its cell's stale y, less 64";
    EXPECT_EQ(state().board[8][1].x, homeXOf(2)) << "a shifted piece starts where it stood";
}

TEST(FeedRow, DealSkipsEmptyAndFullColumnsAndBringsThreeColoursAndSpecials)
{
    setBoard(play::MODE_REMOVE_TWO, {".10123012301"});
    state().board[0][1].kind = 1;
    state().feedActive = true;
    kalup::random::seed(11);
    std::multiset<int> kinds;
    for (int deal = 0; deal < 400; ++deal) {
        generateFeedRow(state());
        for (const Cell& slot : state().feedRow)
            kinds.insert(slot.kind);
    }
    EXPECT_FALSE(state().feedActive);
    EXPECT_EQ(kinds.count(KIND_EMPTY), 800u) << "columns 0 and 1, every time";
    EXPECT_EQ(std::set<int>(kinds.begin(), kinds.end()), (std::set<int>{KIND_EMPTY, 0, 1, 2, 4, 5, 6, 7, 8, 9}));
    const Cell& slot = state().feedRow[2];
    EXPECT_TRUE(slot.x == homeXOf(2) && slot.y == 12 && slot.size == 66 && slot.frame == 0);
}

TEST(FeedRow, ReleasedRowFalls16AFrameLandsFallsThroughOrWaitsOverAFullColumn)
{
    setBoard(play::MODE_REMOVE_TWO, {".1..........", ".1..........", ".1..........", ".1..........", ".1..........",
        ".11.........", ".11.........", ".11.........", ".11........."});
    setFeedSlot(0, 0);
    setFeedSlot(1, 3);
    setFeedSlot(2, 1);
    dropFrames(5);
    EXPECT_EQ(state().feedRow[2].y, 12) << "waiting for the release";
    state().feedActive = true;
    dropFrames(18);
    EXPECT_EQ(state().feedRow[2].y, homeYOf(4)) << "2 + 4 r frames to the home of row r";
    EXPECT_EQ(state().board[4][2].kind, KIND_EMPTY);
    dropFrames(1);
    EXPECT_EQ(state().board[4][2].kind, 1);
    EXPECT_EQ(state().feedRow[1].y, 12) << "nothing lands on a full column";
    dropFrames(15);
    EXPECT_TRUE(state().feedRow[0].y == 556 && events().timesPlayed(Sound::FeedPieceLost) == 0);
    dropFrames(1);
    EXPECT_EQ(events().timesPlayed(Sound::FeedPieceLost), 1) << "fell through the empty column";
    EXPECT_EQ(state().board[8][0].kind, KIND_EMPTY);
    EXPECT_FALSE(state().feedActive) << "all landed: the next row is dealt";
    const Cell* feed = state().feedRow;
    EXPECT_TRUE(feed[0].kind == KIND_EMPTY && feed[1].kind == KIND_EMPTY && feed[2].kind >= 0);
}

TEST(FeedRow, PieceOverAColumnShiftedInUnderItLandsOnTopOfTheStack)
{
    setBoard(play::MODE_REMOVE_TWO, {"....1.......", "....2.......", "....3.......", "....0.......", "...01.......",
        "...12.......", "0.023......."});
    setFeedSlot(3, 2);
    state().feedActive = true;
    dropFrames(15);
    compactColumns(state(), events());
    ASSERT_EQ(state().board[2][3].kind, 1) << "the tall column now stands under the piece";
    dropFrames(1);
    EXPECT_EQ(boardPicture(), picture({"...2........", "...1........", "...2........", "...3........", "...0........",
        "..01........", "..12........", "0023........"})) << "no piece is landed on";
}

TEST(DropBombs, FallingDropBombWhistlesAndGoesOffWhereItStandsAboveTheBottomRow)
{
    setBoard(play::MODE_REMOVE_TWO, {"1...........", "1...........", "1...........", "1.1.........", "1.1.........",
        "111.........", "151........."});
    setFeedSlot(2, KIND_DROP_BOMB);
    state().feedActive = true;
    dropFrames(19);
    EXPECT_EQ(events().timesPlayed(Sound::DropBombFalling), 19);
    ASSERT_EQ(state().board[4][2].kind, KIND_DROP_BOMB);
    state().board[5][2].kind = KIND_EMPTY;
    state().feedRow[2].kind = state().feedRow[0].kind = 0;
    settleBoard(state(), events());
    EXPECT_EQ(events().timesPlayed(Sound::DropBombBlast), 1);
    EXPECT_EQ(events().count(What::Flash), 9) << "once, and not in the bottom row";
    EXPECT_EQ(events().count(What::Stop), 1) << "the blast silences the whistle";
    EXPECT_TRUE(state().feedRow[2].kind == KIND_EMPTY && state().feedRow[0].kind == 0)
        << "the feed piece over its column is lost";
    EXPECT_EQ(boardPicture(), picture({"1...........", "1...........", "1...........", "1...........", "111.........",
        "151........."})) << "blasted before it could fall; the cells are filled from above in the same call";
}

TEST(Rise, EveryRowMovesUpAndANewRowGlidesInFromBelow)
{
    setBoard(play::MODE_SURVIVAL, {"0...........", "12..........", "012012012012"});
    state().board[7][1].x = 70;
    kalup::random::seed(5);
    raiseBoard(state(), events());
    EXPECT_EQ(boardPicture().substr(5 * 13, 3 * 13), "0...........\n12..........\n012012012012\n");
    EXPECT_EQ(events().timesPlayed(Sound::BoardRose), 1);
    EXPECT_TRUE(state().board[5][0].y == homeYOf(6) && state().board[7][1].x == 70)
        << "each piece starts where it stood";
    std::set<int> kinds;
    for (int rise = 0; rise < 300; ++rise) {
        for (const Cell& cell : state().board[8])
            kinds.insert(cell.y == 620 ? cell.kind : -1);
        raiseBoard(state(), events());
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 6, 7, 8, 9})) << "no drop bombs; all from y 620";
    EXPECT_FALSE(topRowIsEmpty(state()));
}
