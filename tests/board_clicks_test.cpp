#include <gtest/gtest.h>

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace fx = kalup::fx;
namespace sound = kalup::sound;

namespace {

// Two groups stacked in column 0: a pair of 0 under a pair of 1.
const boardtest::Picture stackedPairs = {
    "............", "............", "............",
    "............", "............", "1...........",
    "1...........", "0...........", "02..........",
};

// A run of n pieces of colour 2 along the bottom rows.
void setRunOf(int n)
{
    if (n == 10)
        boardtest::setBoard({
            "............", "............", "............",
            "............", "............", "............",
            "............", "1...........", "222222222231",
        });
    else
        boardtest::setBoard({
            "............", "............", "............",
            "............", "............", "............",
            "............", "1...........", "222222222221",
        });
}

int robotVoicesOtherThan(int index)
{
    int n = 0;
    for (int voice = 0; voice < 10; ++voice)
        if (voice != index)
            n += harness::timesPlayed(sound::sndRobot[voice]);
    return n;
}

} // namespace

TEST(Clicks, PairScoresFourAndSaysTwo)
{
    boardtest::needSounds();
    boardtest::setBoard(stackedPairs);
    boardtest::clickAt(8, 0, 1.0);
    EXPECT_EQ(game::score, 4);
    EXPECT_GT(harness::timesPlayed(sound::sndRobot[0]), 0);
    EXPECT_EQ(robotVoicesOtherThan(0), 0);
    // Asked at each of the 108 visits; the bank's limit of two playbacks
    // makes it two clicks heard at once.
    EXPECT_EQ(harness::timesPlayed(sound::snd8), 108);
    EXPECT_EQ(board[8][0].kind, KIND_EMPTY);
    EXPECT_EQ(board[7][0].kind, KIND_EMPTY);
    EXPECT_EQ(board[6][0].kind, 1);
}

TEST(Clicks, GroupOfTenScoresHundredSaysTenAndLifts)
{
    boardtest::needSounds();
    setRunOf(10);
    boardtest::clickAt(8, 0, 1.0);
    EXPECT_EQ(game::score, 100);
    EXPECT_GT(harness::timesPlayed(sound::sndRobot[8]), 0);
    EXPECT_EQ(robotVoicesOtherThan(8), 0);
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            EXPECT_EQ(board[row][col].y, homeYOf(row) - 16) << row << "," << col;
}

TEST(Clicks, GroupOfElevenScores121LaughsAndDoesNotLift)
{
    boardtest::needSounds();
    setRunOf(11);
    boardtest::clickAt(8, 5, 1.0);
    EXPECT_EQ(game::score, 121);
    EXPECT_GT(harness::timesPlayed(sound::sndRobot[9]), 0);
    EXPECT_EQ(robotVoicesOtherThan(9), 0);
    EXPECT_EQ(board[7][0].y, homeYOf(7));
    EXPECT_EQ(board[0][0].y, homeYOf(0));
}

TEST(Clicks, LoneClickSpendsTheLockOut)
{
    boardtest::setBoard(stackedPairs);
    boardtest::clickAt(8, 1, 1.0);
    EXPECT_EQ(lastClickTime, 1.0);
    EXPECT_EQ(game::score, 0);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture(stackedPairs));

    boardtest::clickAt(8, 0, 1.3);
    EXPECT_EQ(game::score, 0) << "refused within 0.4 s of the lone click";
    EXPECT_EQ(board[8][0].size, 66) << "only highlighted";
    EXPECT_EQ(board[8][0].kind, 0);

    boardtest::clickAt(8, 0, 1.41);
    EXPECT_EQ(game::score, 4);
}

TEST(Clicks, NoClickInTheFirstFourTenthsOfARound)
{
    boardtest::setBoard(stackedPairs);
    lastClickTime = 5.0;
    boardtest::clickAt(8, 0, 5.4);
    EXPECT_EQ(game::score, 0);
    boardtest::clickAt(8, 0, 5.401);
    EXPECT_EQ(game::score, 4);
}

TEST(Clicks, HeldButtonRemovesAgainEveryFourTenths)
{
    boardtest::setBoard(stackedPairs);
    boardtest::pointAt(8, 0);
    harness::input().button = true;
    auto frameAt = [](double time) {
        harness::input().time = time;
        boardtest::boardFrame();
    };
    frameAt(1.0);
    EXPECT_EQ(game::score, 4);
    EXPECT_EQ(board[8][0].kind, 1) << "the upper pair fell in the same frame";
    frameAt(1.2);
    frameAt(1.4);
    EXPECT_EQ(game::score, 4);
    EXPECT_EQ(board[8][0].size, 68) << "highlighted while locked out";
    frameAt(1.41);
    EXPECT_EQ(game::score, 8);
}

TEST(Clicks, SmallGroupBurstsAndGhostsStartSixteenAboveHome)
{
    boardtest::setBoard(stackedPairs);
    board[8][0].x = 40;
    board[8][0].y = homeYOf(8) - 4;
    board[8][0].size = 96;
    board[7][0].size = 90;
    boardtest::clickAt(8, 0, 1.0);

    ASSERT_EQ(boardtest::burstsOf<fx::BallBurstEmitter>(), 2);
    auto& upper = dynamic_cast<fx::BallBurstEmitter&>(*fx::liveEmitters.front());
    auto& lower = dynamic_cast<fx::BallBurstEmitter&>(*fx::liveEmitters.back());
    EXPECT_EQ(upper.position.x, 48.0f);
    EXPECT_EQ(upper.position.y, static_cast<float>(homeYOf(7) - 16));
    EXPECT_EQ(lower.position.x, 40.0f) << "x as drawn";
    EXPECT_EQ(lower.position.y, static_cast<float>(homeYOf(8) - 16)) << "the lift came first";
    EXPECT_EQ(lower.count, 4);
    EXPECT_EQ(lower.particles.size(), 4u);
    EXPECT_EQ(lower.floorY, 530);
    EXPECT_EQ(lower.texture, kalup::textures::texBalls[0]);

    EXPECT_EQ(ghostLayer[8][0].x, 40);
    EXPECT_EQ(ghostLayer[8][0].y, homeYOf(8) - 16);
    EXPECT_EQ(ghostLayer[8][0].size, 96) << "the ghost starts at the drawn size";
    EXPECT_EQ(ghostLayer[7][0].size, 90);
    EXPECT_EQ(ghostLayer[8][0].fade, 1.0f);
    EXPECT_EQ(ghostLayer[6][0].fade, 0.0f);
}

TEST(Clicks, LargeGroupBurstsStartWhereThePiecesWereDrawn)
{
    setRunOf(11);
    for (auto& row : board)
        for (Cell& cell : row)
            cell.y = cell.homeY - 4;
    boardtest::clickAt(8, 0, 1.0);
    ASSERT_EQ(boardtest::burstsOf<fx::BallBurstEmitter>(), 11);
    for (auto* emitter : fx::liveEmitters) {
        auto& burst = dynamic_cast<fx::BallBurstEmitter&>(*emitter);
        EXPECT_EQ(static_cast<int>(burst.position.y) % 64, 40);
        EXPECT_EQ(burst.texture, kalup::textures::texBalls[2]);
    }
    EXPECT_EQ(ghostLayer[8][3].y, homeYOf(8) - 4);
}

TEST(Clicks, EveryMarkIsGoneAfterAClick)
{
    setRunOf(11);
    boardtest::clickAt(8, 0, 1.0);
    EXPECT_EQ(boardtest::boardPicture(), boardtest::picture({
        "............", "............", "............",
        "............", "............", "............",
        "............", "1...........", "...........1",
    }));
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            EXPECT_EQ(boardBackup[row][col].kind, board[row][col].kind) << "the backup follows the click";
}
