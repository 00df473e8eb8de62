#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "board/board.h"
#include "board/groups.h"
#include "game/game_state.h"
#include "platform/random.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace rng = kalup::random;

namespace {

void deal(int mode, int colours, unsigned seed)
{
    game::gameMode = mode;
    rng::seed(seed);
    clearBoard();
    fillBoard(colours);
}

std::multiset<int> dealtKinds(int mode, int colours, int deals)
{
    std::multiset<int> kinds;
    for (int n = 0; n < deals; ++n) {
        deal(mode, colours, 1000u + static_cast<unsigned>(n));
        for (const auto& row : board)
            for (const Cell& cell : row)
                kinds.insert(cell.kind);
    }
    return kinds;
}

// The values the generator will give after this seed, to see which draw
// went where.
std::vector<int> drawsAfter(unsigned seed, int count)
{
    rng::seed(seed);
    std::vector<int> values;
    for (int n = 0; n < count; ++n)
        values.push_back(rng::rand());
    return values;
}

} // namespace

TEST(Deal, ClassicBoardHasThreeColoursAndRareSpecials)
{
    const auto kinds = dealtKinds(game::MODE_CLASSIC, 3, 40);
    for (int kind : {0, 1, 2})
        EXPECT_GT(kinds.count(kind), 1200u) << kind;
    for (int kind : {4, 6, 7, 8, 9}) {
        EXPECT_GT(kinds.count(kind), 0u) << kind;
        EXPECT_LT(kinds.count(kind), 60u) << kind;
    }
    EXPECT_EQ(kinds.count(3), 0u);
    EXPECT_EQ(kinds.count(KIND_DROP_BOMB), 0u);
    EXPECT_EQ(kinds.count(KIND_EMPTY), 0u);
}

TEST(Deal, RemoveTwoBoardHasFourColoursAndNoSpecials)
{
    const auto kinds = dealtKinds(game::MODE_REMOVE_TWO, 4, 10);
    for (int kind : {0, 1, 2, 3})
        EXPECT_GT(kinds.count(kind), 150u) << kind;
    EXPECT_EQ(kinds.size(), kinds.count(0) + kinds.count(1) + kinds.count(2) + kinds.count(3));
}

TEST(Deal, SurvivalBoardFillsOnlyTheThreeBottomRows)
{
    deal(game::MODE_FF, 3, 7);
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col) {
            const int kind = board[row][col].kind;
            if (row < 6)
                EXPECT_EQ(kind, KIND_EMPTY) << row << "," << col;
            else
                EXPECT_TRUE(kind >= 0 && kind <= 2) << row << "," << col;
        }
}

TEST(Deal, DrawsComeInTheOrderKindXYSizeAfterOneDiscardedValue)
{
    const auto values = drawsAfter(31337, 9);
    deal(game::MODE_REMOVE_TWO, 4, 31337);
    const Cell& first = board[0][0];
    EXPECT_EQ(first.kind, values[1] % 4);
    EXPECT_EQ(first.x, 64 * (values[2] % 16));
    EXPECT_EQ(first.y, 64 * (values[3] % 16));
    EXPECT_EQ(first.size, 64 + values[4] % 128);
    EXPECT_EQ(board[0][1].kind, values[5] % 4);
    EXPECT_EQ(board[0][1].size, 64 + values[8] % 128);
}

TEST(Deal, SurvivalEmptyRowsStillDrawTheirPositions)
{
    // 72 empty cells draw x, y and size each before the first piece's kind.
    const auto values = drawsAfter(99, 1 + 72 * 3 + 1);
    deal(game::MODE_FF, 3, 99);
    EXPECT_EQ(board[6][0].kind, values[1 + 72 * 3] % 3);
    EXPECT_EQ(board[0][0].x, 64 * (values[1] % 16));
}

TEST(Deal, PiecesStartOnTheLatticeEnlargedWithHomesSet)
{
    deal(game::MODE_CLASSIC, 3, 4242);
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col) {
            const Cell& cell = board[row][col];
            EXPECT_EQ(cell.homeX, 48 + 64 * col);
            EXPECT_EQ(cell.homeY, 44 + 64 * row);
            EXPECT_EQ(cell.x % 64, 0);
            EXPECT_TRUE(cell.x >= 0 && cell.x <= 960);
            EXPECT_EQ(cell.y % 64, 0);
            EXPECT_TRUE(cell.y >= 0 && cell.y <= 960);
            EXPECT_TRUE(cell.size >= 64 && cell.size <= 191);
            EXPECT_EQ(cell.texture, static_cast<int>(kalup::textures::texPieces[cell.kind]));
            EXPECT_EQ(cell.fade, 0.0f);
            EXPECT_EQ(cell.frame, 0);
        }
}

TEST(Deal, ClearBoardEmptiesBoardAndFeedOnly)
{
    boardtest::setBoard({
        "012012012012", "012012012012", "012012012012",
        "012012012012", "012012012012", "012012012012",
        "012012012012", "012012012012", "012012012012",
    });
    boardtest::setFeedSlot(3, 1);
    board[2][2].x = 123;
    clearBoard();
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "............",
    }));
    EXPECT_EQ(feedRow[3].kind, KIND_EMPTY);
    EXPECT_EQ(board[2][2].x, 123);
    EXPECT_EQ(board[2][2].texture, static_cast<int>(kalup::textures::texPieces[2]));
}

TEST(Deal, SaveAndRestoreCopyEveryField)
{
    deal(game::MODE_CLASSIC, 3, 5);
    saveBoard();
    const Cell kept = board[4][7];
    board[4][7] = Cell{1, 2, 3, KIND_EMPTY, 5, 6, 7, 0.5f, 9};
    restoreBoard();
    EXPECT_EQ(board[4][7].x, kept.x);
    EXPECT_EQ(board[4][7].y, kept.y);
    EXPECT_EQ(board[4][7].size, kept.size);
    EXPECT_EQ(board[4][7].kind, kept.kind);
    EXPECT_EQ(board[4][7].homeY, kept.homeY);
    EXPECT_EQ(board[4][7].fade, kept.fade);
}

// Drawing: the pieces fly home, shrink and fade in.

TEST(BoardAnimation, DealtPiecesRestAtHomeXAndFourAboveHomeY)
{
    harness::needDisplay();
    deal(game::MODE_CLASSIC, 3, 77);
    boardAlpha = 0.0f;
    boardCleared = false;
    for (int frame = 0; frame < 50; ++frame)
        animateBoard();
    EXPECT_NEAR(boardAlpha, 0.5f, 0.001f) << "fading in over 100 frames";
    for (int frame = 0; frame < 150; ++frame)
        animateBoard();
    for (const auto& row : board)
        for (const Cell& cell : row) {
            EXPECT_EQ(cell.x, cell.homeX);
            EXPECT_EQ(cell.y, cell.homeY - 4);
            EXPECT_EQ(cell.size, 64);
        }
    EXPECT_GE(boardAlpha, 1.0f);
}

TEST(BoardAnimation, LiftedPiecesComeBackExactlyHomeInTwoFrames)
{
    harness::needDisplay();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "01..........",
    });
    liftBoard();
    EXPECT_EQ(board[8][0].y, board[8][0].homeY - 16);
    EXPECT_EQ(board[0][5].y, board[0][5].homeY - 16);
    animateBoard();
    EXPECT_EQ(board[8][0].y, board[8][0].homeY - 8);
    animateBoard();
    EXPECT_EQ(board[8][0].y, board[8][0].homeY);
    animateBoard();
    EXPECT_EQ(board[8][0].y, board[8][0].homeY);
}

TEST(BoardAnimation, ClearedBoardStopsMovingButStillRelaxes)
{
    harness::needDisplay();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "0...........",
    });
    boardCleared = true;
    board[8][0].x = 300;
    board[8][0].size = 80;
    board[0][3].y = 0;
    animateBoard();
    EXPECT_EQ(board[8][0].x, 300);
    EXPECT_EQ(board[8][0].size, 79);
    EXPECT_EQ(board[0][3].y, 0);
}

TEST(BoardAnimation, OnlyPiecesStillLargerThan66AfterRelaxingTurnFrames)
{
    harness::needDisplay();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "0123........",
    });
    board[8][0].size = 67;
    board[8][1].size = 68;
    board[8][2].size = 100;
    board[8][2].frame = 14;
    board[8][3].size = 100;
    harness::input().time = 1.0;
    animateBoard();
    EXPECT_EQ(board[8][0].frame, 0);
    EXPECT_EQ(board[8][1].frame, 1);
    EXPECT_EQ(board[8][2].frame, 0) << "board pieces never show frame 15";
    EXPECT_EQ(board[8][3].frame, 1) << "every enlarged piece turns in the same frame";
    EXPECT_EQ(cellAnimTime, 1.0);
}

TEST(BoardAnimation, FramesTurnAtMostOncePer30Milliseconds)
{
    harness::needDisplay();
    boardtest::setBoard({
        "............", "............", "............",
        "............", "............", "............",
        "............", "............", "0...........",
    });
    board[8][0].size = 150;
    harness::input().time = 1.0;
    animateBoard();
    harness::input().time = 1.02;
    animateBoard();
    EXPECT_EQ(board[8][0].frame, 1);
    harness::input().time = 1.04;
    animateBoard();
    EXPECT_EQ(board[8][0].frame, 2);
}
