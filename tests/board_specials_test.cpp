#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/specials.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace fx = kalup::fx;
namespace sound = kalup::sound;

namespace {

// How many star bursts each cell's home received.
std::map<std::pair<int, int>, int> starsByCell()
{
    std::map<std::pair<int, int>, int> stars;
    for (auto* emitter : fx::liveEmitters)
        if (auto* burst = dynamic_cast<fx::StarBurstEmitter*>(emitter)) {
            const int col = (static_cast<int>(burst->position.x) - 48) / 64;
            const int row = (static_cast<int>(burst->position.y) - 44) / 64;
            ++stars[{row, col}];
        }
    return stars;
}

const boardtest::Picture fullOfOnes = {
    "111111111111", "111111111111", "111111111111",
    "111111111111", "111111111111", "111111111111",
    "111111111111", "111111111111", "111111111111",
};

} // namespace

TEST(Bombs, CornerBombBlastsOnlyTheFiveCellsOnTheBoard)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "412.........", "31..........", "0...........",
        "2...........", "............", "............",
        "............", "............", "............",
    });
    boardtest::clickAt(0, 0, 1.0);
    EXPECT_EQ(boardtest::boardPicture().substr(0, 4 * 13), boardtest::picture({
        "............", ".1..........", "............", "2...........",
    }));
    const std::map<std::pair<int, int>, int> twice = {
        {{0, 0}, 2}, {{0, 1}, 2}, {{0, 2}, 2}, {{1, 0}, 2}, {{2, 0}, 2},
    };
    EXPECT_EQ(starsByCell(), twice) << "a clicked bomb blasts twice";
    EXPECT_EQ(harness::timesPlayed(sound::sndExplos2), 1);
    EXPECT_EQ(board[5][5].y, homeYOf(5) - 16) << "the board is lifted";
    EXPECT_EQ(kalup::game::score, 0) << "blasts earn nothing";
}

TEST(Bombs, LoneClickedBombGivesEighteenStarBurstsAndOneGhost)
{
    harness::needDisplay();
    boardtest::setBoard({
        "............", "............", "............",
        "............", ".....4......", "............",
        "............", "............", "............",
    });
    boardtest::clickAt(4, 5, 1.0);
    EXPECT_EQ(boardtest::burstsOf<fx::StarBurstEmitter>(), 18);
    EXPECT_EQ(fx::liveEmitters.size(), 18u);
    auto& first = dynamic_cast<fx::StarBurstEmitter&>(*fx::liveEmitters.front());
    EXPECT_EQ(first.count, 8);
    EXPECT_EQ(first.particles.size(), 8u);
    EXPECT_EQ(first.texture, kalup::textures::texStar);
    EXPECT_EQ(first.position.x, static_cast<float>(homeXOf(5)));
    EXPECT_EQ(first.position.y, static_cast<float>(homeYOf(2))) << "the cross starts two rows up";
    int ghosts = 0;
    for (const auto& row : ghostLayer)
        for (const Cell& ghost : row)
            ghosts += ghost.fade > 0.0f;
    EXPECT_EQ(ghosts, 1);
    EXPECT_EQ(ghostLayer[4][5].texture, static_cast<int>(kalup::textures::texBurstAlt));
    EXPECT_EQ(board[4][5].kind, KIND_EMPTY);
}

TEST(Bombs, BlastSetsOffTheBombsInItsCross)
{
    boardtest::setBoard(fullOfOnes);
    board[4][3].kind = KIND_BOMB;
    board[4][5].kind = KIND_BOMB;
    boardtest::clickAt(4, 3, 1.0);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "111111111111", "111111111111", "111.1.111111",
        "111.1.111111", "1.......1111", "111.1.111111",
        "111.1.111111", "111111111111", "111111111111",
    }));
}

TEST(Bombs, PaintPiecesInTheCrossAreBlastedToo)
{
    boardtest::setBoard(fullOfOnes);
    board[4][3].kind = KIND_BOMB;
    board[4][4].kind = KIND_PAINT_2;
    board[6][3].kind = KIND_DROP_BOMB;
    boardtest::clickAt(4, 3, 1.0);
    EXPECT_EQ(board[4][4].kind, KIND_EMPTY);
    EXPECT_EQ(board[6][3].kind, KIND_EMPTY);
    EXPECT_EQ(board[8][3].kind, KIND_EMPTY) << "the drop bomb set off its own cross";
    EXPECT_TRUE(paintQueue.empty());
}

TEST(Bombs, HoveredBombSwellsAloneAndLockedOutClickOnlyHovers)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "....44......", "............",
        "............", "............", "............",
    });
    boardtest::pointAt(4, 4);
    handleBoardInput();
    handleBoardInput();
    EXPECT_EQ(board[4][4].size, 68);
    EXPECT_EQ(board[4][5].size, 64) << "bombs do not group";
    lastClickTime = 2.0;
    boardtest::clickAt(4, 4, 2.3);
    EXPECT_EQ(board[4][4].kind, KIND_BOMB);
    EXPECT_EQ(board[4][4].size, 70);
    EXPECT_TRUE(fx::liveEmitters.empty());
}

TEST(Paint, CrossIsPaintedOneCellAFrameFromTheBottomUp)
{
    boardtest::needSounds();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "0...........", "2...........", "7032........",
    });
    boardtest::clickAt(8, 0, 1.0);
    EXPECT_EQ(paintQueue.size(), 15u);
    EXPECT_EQ(board[5][5].y, homeYOf(5) - 16) << "the board is lifted";
    boardtest::pointAt(4, 8);
    settleBoard();
    paintStep();
    EXPECT_EQ(boardtest::boardPicture().substr(6 * 13), "0...........\n2...........\n7012........\n");
    EXPECT_EQ(board[8][2].size, 16);
    EXPECT_EQ(board[8][2].texture, static_cast<int>(kalup::textures::texPieces[1]));
    boardtest::boardFrame();
    boardtest::boardFrame();
    EXPECT_EQ(boardtest::boardPicture().substr(6 * 13), "0...........\n2...........\n1112........\n")
        << "the paint piece itself becomes a plain piece";
    boardtest::boardFrame();
    boardtest::boardFrame();
    EXPECT_EQ(boardtest::boardPicture().substr(6 * 13), "1...........\n1...........\n1112........\n");
    EXPECT_TRUE(paintQueue.empty());
    EXPECT_EQ(harness::timesPlayed(sound::sndPaint), 5);
    boardtest::boardFrame();
    EXPECT_EQ(harness::timesPlayed(sound::sndPaint), 5);
}

TEST(Paint, QueueHoldsKindRowColumnForOccupiedCellsOnly)
{
    boardtest::setBoard({
        "0...........", "6...........", "............",
        "............", "............", "............",
        "............", "............", "............",
    });
    paintAround(1, 0, KIND_PAINT_0);
    EXPECT_EQ(paintQueue, (std::vector<int>{6, 0, 0, 6, 1, 0}));
    queuePaint(9, 0, 6);
    queuePaint(0, -1, 6);
    EXPECT_EQ(paintQueue.size(), 6u);
}

TEST(Paint, EmptiedCellStillGetsItsPieceWhichThenFalls)
{
    boardtest::setBoard({
        "............", "............", "............",
        "2...........", "1...........", "1...........",
        "1...........", "1...........", "1...........",
    });
    queuePaint(3, 0, KIND_PAINT_3);
    board[3][0].kind = KIND_EMPTY;
    board[4][0].kind = KIND_EMPTY;
    board[5][0].kind = KIND_EMPTY;
    paintStep();
    EXPECT_EQ(board[3][0].kind, 3);
    settleBoard();
    EXPECT_EQ(boardtest::boardPicture().substr(3 * 13, 3 * 13), "............\n............\n3...........\n");
}

TEST(Paint, HoveredPaintPieceSwellsAndLockedOutClickQueuesNothing)
{
    boardtest::setBoard({
        "............", "............", "............",
        "............", "....9.......", "....0.......",
        "............", "............", "............",
    });
    lastClickTime = 2.0;
    boardtest::clickAt(4, 4, 2.2);
    EXPECT_TRUE(paintQueue.empty());
    EXPECT_EQ(board[4][4].size, 66);
    boardtest::clickAt(4, 4, 2.5);
    EXPECT_EQ(paintQueue.size(), 6u);
}
