#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "board/board.h"
#include "board/specials.h"
#include "game/game_state.h"
#include "game/lines.h"
#include "game/update.h"
#include "platform/random.h"
#include "tests/game_rounds.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
using gametest::frameAt;

namespace {

const boardtest::Picture threeRows = {
    "............", "............", "............",
    "............", "............", "............",
    "012012012012", "120120120120", "201201201201",
};

const boardtest::Picture reachingTheTop = {
    "...1........", "...2........", "...0........",
    "...1........", "...2........", "...0........",
    "012012012012", "120120120120", "201201201201",
};

// A survival round started at `start` on the given board.
void survivalRound(double start, boardtest::Picture rows)
{
    gametest::startRoundAt(game::MODE_FF, start);
    boardtest::setBoard(game::MODE_FF, rows);
}

std::string line(game::Line composed) { return composed.text; }

// The displacement of the rule: the difference of two draws of 0..9.
int jitter()
{
    const int a = kalup::random::rand() % 10;
    const int b = kalup::random::rand() % 10;
    return a - b;
}

} // namespace

TEST(SurvivalRise, ComesEveryIntervalAndEachRiseShortensIt)
{
    gametest::freshRun();
    survivalRound(50.0, threeRows);
    game::lastRiseTime = 50.0;
    frameAt(52.5);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(threeRows));
    frameAt(53.0);
    EXPECT_EQ(board[5][0].kind, KIND_COLOUR_0) << "row 6 moved up";
    EXPECT_EQ(game::survivalTime, 3.0);
    EXPECT_EQ(game::lastRiseTime, 53.0);
    EXPECT_DOUBLE_EQ(game::riseInterval, 2.99);
    const double due = game::lastRiseTime + game::riseInterval;
    frameAt(due - 0.001);
    EXPECT_EQ(game::lastRiseTime, 53.0);
    frameAt(due);
    EXPECT_EQ(game::lastRiseTime, due);
    EXPECT_DOUBLE_EQ(game::riseInterval, 2.98);
    EXPECT_EQ(board[4][0].kind, KIND_COLOUR_0);
}

TEST(SurvivalRise, FrameOfARiseLeavesTheBoardInputOut)
{
    gametest::freshRun();
    survivalRound(50.0, threeRows);
    game::lastRiseTime = 50.0;
    paintQueue = {KIND_PAINT_1, 8, 0};
    frameAt(53.0);
    EXPECT_EQ(paintQueue.size(), 3u);
    frameAt(53.1);
    EXPECT_TRUE(paintQueue.empty());
}

TEST(SurvivalRise, NewRoundRisesOnItsFirstFrameWhenTheLastRiseIsOld)
{
    gametest::freshRun();
    game::lastRiseTime = 10.0;
    survivalRound(50.0, threeRows);
    frameAt(50.0);
    EXPECT_EQ(game::lastRiseTime, 50.0);
    EXPECT_DOUBLE_EQ(game::riseInterval, 2.99);
}

TEST(SurvivalLoss, BlockedRiseEndsTheRoundWithoutMovingTheBoard)
{
    gametest::freshRun();
    survivalRound(50.0, reachingTheTop);
    game::lastRiseTime = 49.0;
    frameAt(53.5);
    EXPECT_TRUE(game::ffOver);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(reachingTheTop));
    EXPECT_EQ(game::lastRiseTime, 49.0);
    EXPECT_EQ(game::riseInterval, 3.0);
    EXPECT_EQ(game::survivalTime, 3.5);
    EXPECT_EQ(game::panelSlide, -256) << "the end screen shows from the next frame";

    paintQueue = {KIND_PAINT_1, 8, 0};
    frameAt(70.0);
    EXPECT_EQ(game::survivalTime, 3.5) << "frozen";
    EXPECT_EQ(line(game::survivalTimerLine()), "0 mins 3 secs");
    EXPECT_EQ(game::panelSlide, -240);
    EXPECT_EQ(paintQueue.size(), 3u) << "the lost screen stops the board";
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(reachingTheTop));
}

TEST(SurvivalLoss, SpaceOnTheLostScreenStartsAFreshRound)
{
    gametest::freshRun();
    survivalRound(50.0, reachingTheTop);
    game::lastRiseTime = 49.0;
    frameAt(53.5);
    frameAt(54.0);
    gametest::holdSpace(true);
    frameAt(70.0);
    EXPECT_FALSE(game::ffOver);
    EXPECT_EQ(game::survivalTime, 0.0);
    EXPECT_EQ(game::ffStartTime, 70.0);
    EXPECT_EQ(game::riseInterval, 3.0);
    EXPECT_EQ(game::panelSlide, -256);
}

TEST(SurvivalLoss, NeitherALackOfMovesNorAnEmptyBoardEndsTheRound)
{
    gametest::freshRun();
    survivalRound(50.0, gametest::noMoves);
    game::lastRiseTime = 50.0;
    gametest::framesAt(20, 51.0);
    clearBoard();
    gametest::framesAt(20, 52.0);
    EXPECT_FALSE(game::ffOver);
    EXPECT_EQ(game::panelSlide, -256);
    EXPECT_EQ(game::survivalTime, 2.0);
}

TEST(SurvivalTime, ShowsWholeMinutesAndSecondsWithoutLeadingZeros)
{
    game::survivalTime = 125.9;
    EXPECT_EQ(line(game::survivalResultLine()), "2:5");
    EXPECT_EQ(line(game::survivalTimerLine()), "2 mins 5 secs");
    game::survivalTime = 59.99;
    EXPECT_EQ(line(game::survivalResultLine()), "0:59");
    EXPECT_EQ(line(game::survivalTimerLine()), "0 mins 59 secs");
    game::survivalTime = 65.4;
    EXPECT_EQ(line(game::survivalResultLine()), "1:5");
    game::survivalTime = 3600.0;
    EXPECT_EQ(line(game::survivalResultLine()), "60:0");
}

TEST(SurvivalTime, CountsFromTheRoundStartWhileInPlay)
{
    gametest::freshRun();
    survivalRound(50.0, threeRows);
    game::lastRiseTime = 50.0;
    frameAt(51.25);
    EXPECT_EQ(game::survivalTime, 1.25);
}

TEST(SurvivalShake, ColumnsReachingTheTwoTopRowsTrembleAndTopCellsJitterAlways)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_FF, reachingTheTop);
    // The expected jitters, drawn in the order of the rule: the top cells
    // row by row; for a cell with a piece, first its whole column top to
    // bottom, then its own x and y.
    kalup::random::seed(11);
    int dx[ROWS][COLS] = {};
    int dy[ROWS][COLS] = {};
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < COLS; ++col) {
            if (board[row][col].kind != KIND_EMPTY)
                for (int r = 0; r < ROWS; ++r)
                    dx[r][col] += jitter();
            dx[row][col] += jitter();
            dy[row][col] += jitter();
        }
    }
    kalup::random::seed(11);
    game::shakeTopColumns();
    for (int row = 0; row < ROWS; ++row) {
        for (int col = 0; col < COLS; ++col) {
            const Cell& cell = board[row][col];
            EXPECT_EQ(cell.x - cell.homeX, dx[row][col]) << row << "," << col;
            EXPECT_EQ(cell.y - cell.homeY, dy[row][col]) << row << "," << col;
        }
    }
    EXPECT_EQ(board[5][0].x, board[5][0].homeX) << "a column below the top rows stays";
}

TEST(SurvivalShake, LosingScreensShakeOnlyCellsWithPieces)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_FF, threeRows);
    kalup::random::seed(5);
    game::shakeBoard();
    int moved = 0;
    int left = 0;
    int right = 0;
    for (const auto& row : board) {
        for (const Cell& cell : row) {
            const int dx = cell.x - cell.homeX;
            const int dy = cell.y - cell.homeY;
            if (cell.kind == KIND_EMPTY) {
                EXPECT_EQ(dx, 0);
                EXPECT_EQ(dy, 0);
                continue;
            }
            EXPECT_LE(std::abs(dx), 9);
            EXPECT_LE(std::abs(dy), 9);
            moved += dx != 0 || dy != 0;
            left += dx < 0;
            right += dx > 0;
        }
    }
    EXPECT_GE(moved, 20);
    EXPECT_GE(left, 5) << "both ways";
    EXPECT_GE(right, 5);
}
