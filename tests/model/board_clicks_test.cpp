#include <gtest/gtest.h>

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/play.h"
#include "board/specials.h"
#include "tests/board_picture.h"

using namespace kalup::board;
using namespace boardtest;
using What = RecordedEvents::What;

TEST(GroupMarking, CornersAndEdgesJoinOrthogonalNeighboursOnly)
{
    const Picture corners = {"22........33", "2..........3", "............", "............", "............",
        "............", "..........0.", "1.........10", "11........00"};
    const Picture frame = {"333333333333", "3..........3", "3..........3", "3..........3", "3..........3",
        "3..........3", "3..........3", "3..........3", "333333333333"};
    const struct { Picture board; int row, col, size; } cases[] = {
        {corners, 0, 0, 3}, {corners, 0, 11, 3}, {corners, 8, 0, 3}, {corners, 8, 11, 3}, {frame, 0, 5, 38}};
    for (const auto& c : cases) {
        setBoard(c.board);
        pointAt(c.row, c.col);
        handleBoardInput(state(), pointedAt(), events());
        EXPECT_EQ(state().groupCount + 1, c.size) << c.row << "," << c.col;
    }
}

TEST(GroupMarking, WindingGroupStopsAfterThirtyOnePasses)
{
    // 64 connected pieces, but all of them would take 37 passes.
    setBoard({"000000000000", "111111111110", "000000000000", "011111111111", "000000000000",
        "111111111110", "000000000000", "011111111111", "000000000000"});
    clickAt(0, 0, 1.0);
    EXPECT_EQ(score, 3364);
    EXPECT_EQ(boardPicture(), picture({"............", "11111111111.", "............", ".11111111111", "............",
        "11111111111.", "............", ".11111111111", "......000000"}));
}

TEST(Clicks, GroupScoresItsSquareSaysItsSizeAndIsLiftedUpToTenPieces)
{
    const struct { std::string_view row; unsigned pieces; int score; Sound voice; bool lifted; int kind; } cases[] = {
        {"22..........", 2, 4, Sound::VoiceTwo, true, 2}, {"55..........", 2, 4, Sound::VoiceTwo, true, 5},
        {"222222222231", 10, 100, Sound::VoiceTen, true, 2}, {"222222222221", 11, 121, Sound::VoiceLaugh, false, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        setBoard({"1...........", c.row});
        for (int cell = 0; cell < ROWS * COLS; ++cell)
            state().board[cell / COLS][cell % COLS].y -= 4;
        state().board[8][0].x = 40;
        state().board[8][0].size = 96;
        clickAt(8, 0, 1.0);
        EXPECT_EQ(score, c.score);
        EXPECT_EQ(events().timesPlayed(c.voice), 108) << "asked at each of the 108 visits";
        EXPECT_EQ(events().timesPlayed(Sound::GroupRemoved), 108);
        EXPECT_EQ(events().sounds(), 216);
        EXPECT_EQ(events().log[0].sound, c.voice) << "the voice first, then the click, at every visit";
        EXPECT_EQ(events().log[1].sound, Sound::GroupRemoved);
        const int y = homeYOf(8) - (c.lifted ? 16 : 4);
        const auto bursts = events().all(What::Burst);
        ASSERT_EQ(bursts.size(), c.pieces) << "one burst per piece";
        EXPECT_TRUE(bursts[0].x == 40 && bursts[0].y == y) << "as drawn after the lift";
        EXPECT_EQ(bursts[0].kind, c.kind) << "balls of the group's kind";
        const Cell& ghost = state().ghostLayer[8][0];
        EXPECT_TRUE(ghost.x == 40 && ghost.y == y && ghost.size == 96);
    }
}

TEST(Clicks, LoneClickSpendsTheLockOutAndAHeldButtonRepeatsEveryFourTenths)
{
    const Picture start = {"1...........", "1...........", "0...........", "02.49......."};
    setBoard(start);
    clickAt(4, 4, 1.0);
    EXPECT_EQ(state().lastClickTime, -10.0) << "an empty cell is no click";
    clickAt(8, 1, 5.0);
    EXPECT_EQ(state().lastClickTime, 5.0);
    for (int col : {0, 3, 4})
        clickAt(8, col, 5.4);
    EXPECT_EQ(boardPicture(), picture(start)) << "refused within 0.4 s of the lone click";
    EXPECT_TRUE(events().count(What::Burst) == 0 && state().paintQueue.empty());
    for (int col : {0, 1, 3, 4})
        EXPECT_EQ(state().board[8][col].size, col == 1 ? 64 : 66)
            << "only the hovered piece or group swells, no lone piece";
    pointAt(8, 0);
    for (double time : {5.401, 5.8, 5.802}) {
        score += handleBoardInput(state(), pointedAt(true, time), events());
        settleBoard(state(), events());
        EXPECT_EQ(score, time < 5.802 ? 4 : 8) << "held: again only 0.4 s after the last removal, at " << time;
    }
}

TEST(Bombs, ClickedBombBlastsItsCrossTwiceOnTheBoardOnly)
{
    setBoard({"2...........", "0...........", "31..........", "412........."});
    clickAt(8, 0, 1.0);
    EXPECT_EQ(boardPicture(), picture({"2...........", "............", ".1..........", "............"}));
    std::string stars = picture({});
    for (const auto& star : events().all(What::Flash)) {
        char& count = stars[(star.y - 44) / 64 * 13 + (star.x - 48) / 64];
        count = count == '.' ? '1' : char(count + 1);
    }
    EXPECT_EQ(stars, picture({"2...........", "2...........", "222........."})) << "star bursts per cell";
    EXPECT_EQ(events().count(What::Burst), 0) << "a blast leaves stars, not balls";
    EXPECT_EQ(events().timesPlayed(Sound::BombBlast), 1);
    EXPECT_EQ(state().board[5][5].y, homeYOf(5) - 16) << "the board is lifted";
    EXPECT_EQ(score, 0) << "blasts earn nothing";
    setBoard({"....4.......", "............", "............", "............"});
    clickAt(5, 4, 1.0);
    EXPECT_EQ(events().count(What::Flash), 18) << "a lone bomb in the open";
    EXPECT_EQ(state().ghostLayer[5][4].kind, KIND_BOMB) << "the ghost of the bomb, drawn as its blast";
    EXPECT_EQ(state().ghostLayer[3][4].fade, 0.0f) << "empty cells leave no ghost";
}

TEST(Bombs, BlastSetsOffTheBombsInItsCrossAndTakesPaintToo)
{
    setBoard({"111111111111", "111111111111", "111111111111", "111111111111", "111484111111",
        "111111111111", "111511111111", "111111111111", "111111111111"});
    clickAt(4, 3, 1.0);
    EXPECT_EQ(boardPicture(), picture({"111111111111", "111111111111", "111.1.111111", "111.1.111111", "1.......1111",
        "111.1.111111", "1.....111111", "111.11111111", "111.11111111"}));
    EXPECT_TRUE(state().paintQueue.empty());
}

TEST(Paint, CrossIsPaintedOneCellAFrameFromTheBottomUpWhateverLiesThere)
{
    setBoard({"0...........", "2...........", "7032........"});
    clickAt(8, 0, 1.0);
    EXPECT_EQ(state().board[5][5].y, homeYOf(5) - 16) << "the board is lifted";
    const Picture frames[] = {{"0...........", "2...........", "7012........"},
        {"0...........", "2...........", "7112........"}, {"0...........", "2...........", "1112........"},
        {"0...........", "1...........", "1112........"}, {"1...........", "1...........", "1112........"},
        {"1...........", "1...........", "1112........"}};
    for (const Picture& frame : frames) {
        settleBoard(state(), events());
        paintStep(state(), events());
        EXPECT_EQ(boardPicture(), picture(frame));
    }
    EXPECT_EQ(events().timesPlayed(Sound::PiecePainted), 5);
    EXPECT_EQ(state().board[8][2].size, 16) << "a painted piece pops up from 16";
    queuePaint(state(), 6, 0, KIND_PAINT_3);
    state().board[6][0].kind = state().board[7][0].kind = KIND_EMPTY;
    paintStep(state(), events());
    settleBoard(state(), events());
    EXPECT_EQ(boardPicture(), picture({"3...........", "1112........"})) << "an emptied cell still gets its piece";
}
