#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/board.h"
#include "data/language.h"
#include "game/game_state.h"
#include "game/lines.h"
#include "tests/game_rounds.h"
#include "tests/harness.h"

using namespace kalup::board;
namespace game = kalup::game;
namespace language = kalup::language;
using gametest::frameAt;
using gametest::framesAt;

namespace {

bool boardAtRest()
{
    for (const auto& row : board)
        for (const Cell& cell : row)
            if (cell.x != cell.homeX || cell.y != cell.homeY)
                return false;
    return true;
}

// Replaces a language text for the life of the guard.
class TextOverride {
public:
    TextOverride(language::TextKey key, const std::string& replacement) : key(key)
    {
        std::memcpy(saved, language::texts[key], sizeof saved);
        std::strncpy(language::texts[key], replacement.c_str(), language::TEXT_CAPACITY - 1);
        language::texts[key][language::TEXT_CAPACITY - 1] = '\0';
    }
    ~TextOverride() { std::memcpy(language::texts[key], saved, sizeof saved); }
    TextOverride(const TextOverride&) = delete;
    TextOverride& operator=(const TextOverride&) = delete;

private:
    language::TextKey key;
    char saved[language::TEXT_CAPACITY];
};

} // namespace

TEST(RecordLine, SlidesInOverThirtyFiveFramesAndStays)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_CLASSIC, gametest::onePair);
    frameAt(100.0);
    EXPECT_EQ(game::hudY, -19);
    framesAt(34, 100.0);
    EXPECT_EQ(game::hudY, 15);
    framesAt(10, 100.0);
    EXPECT_EQ(game::hudY, 15);
}

TEST(RecordLine, IsUnderTheClassicLevelScreenAndOverTheLevelUpScreenButNotOnNoMoreMoves)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    framesAt(3, 100.0);
    EXPECT_EQ(game::hudY, -20);
    clearBoard();
    framesAt(3, 100.0);
    EXPECT_EQ(game::hudY, -17);
    EXPECT_EQ(game::panelSlide, -256 + 6 * 16) << "then the level screen";

    gametest::freshRun();
    boardtest::setBoard(game::MODE_REMOVE_TWO, gametest::noMoves);
    framesAt(3, 100.0);
    EXPECT_EQ(game::hudY, -20);
    clearBoard();
    framesAt(3, 100.0);
    EXPECT_EQ(game::hudY, -17);
}

TEST(EndScreen, PanelAndLinesSlideSixteenUnitsAFrameFromTheLeftAndAbove)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    frameAt(100.0);
    EXPECT_EQ(400 + game::panelSlide, 160) << "panel x";
    EXPECT_EQ(game::panelSlide + 150, -90) << "headline y";
    framesAt(15, 100.0);
    EXPECT_EQ(game::panelSlide, 0);
    framesAt(5, 100.0);
    EXPECT_EQ(game::panelSlide, 0);
}

TEST(EndScreen, SlidesOncePerRoundAndRestartsOnlyWithTheNextRound)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 90.0);
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    framesAt(20, 100.0);
    ASSERT_EQ(game::panelSlide, 0);
    boardtest::setBoard(game::MODE_CLASSIC, gametest::onePair);
    framesAt(5, 100.0);
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    frameAt(100.0);
    EXPECT_EQ(game::panelSlide, 0) << "shown again at rest";
    gametest::holdSpace(true);
    frameAt(100.5);
    EXPECT_EQ(game::panelSlide, -256);
    EXPECT_EQ(game::hudY, -20);
}

TEST(EndScreen, NoMoreMovesScreenShakesThePiecesThatRestInPlay)
{
    gametest::freshRun();
    boardtest::setBoard(game::MODE_REMOVE_TWO, gametest::onePair);
    framesAt(2, 100.0);
    EXPECT_TRUE(boardAtRest());
    boardtest::setBoard(game::MODE_REMOVE_TWO, gametest::noMoves);
    frameAt(100.0);
    EXPECT_FALSE(boardAtRest());
}

TEST(HeldSpace, ContinuesEveryEndScreenOnItsFirstFrame)
{
    gametest::freshRun();
    gametest::startRoundAt(game::MODE_CLASSIC, 90.0);
    gametest::holdSpace(true);
    for (int screen = 1; screen <= 3; ++screen) {
        clearBoard();
        frameAt(100.0 + screen);
        EXPECT_EQ(game::level, screen);
        EXPECT_EQ(game::roundStartTime, 100.0 + screen);
    }
    for (int screen = 1; screen <= 3; ++screen) {
        boardtest::setBoard(game::MODE_REMOVE_TWO, gametest::noMoves);
        frameAt(110.0 + screen);
        EXPECT_EQ(game::roundStartTime, 110.0 + screen);
        EXPECT_EQ(game::level, 3) << "no more moves keeps the level";
    }
}

TEST(ComposedLines, OverlongLanguageTextsAreCutToTheBuffer)
{
    gametest::freshRun();
    const TextOverride level(language::TEXT_LEVEL, std::string(255, 'L'));
    const TextOverride completed(language::TEXT_COMPLETED, std::string(255, 'C'));
    const game::Line line = game::levelCompletedLine();
    EXPECT_EQ(std::strlen(line.text), game::LINE_CAPACITY - 1u);
    EXPECT_EQ(std::string(line.text), std::string(255, 'L'));
    boardtest::setBoard(game::MODE_CLASSIC, gametest::noMoves);
    clearBoard();
    framesAt(2, 100.0);
    EXPECT_EQ(game::panelSlide, -224) << "the level screen draws the cut line";
}

TEST(ComposedLines, CutNeverSplitsACharacter)
{
    const std::string twoByte = "\xC3\xA9";
    const std::string threeByte = "\xE2\x82\xAC";
    EXPECT_EQ(std::string(game::composeLine("%s%s", std::string(254, 'a').c_str(), twoByte.c_str()).text),
              std::string(254, 'a'));
    EXPECT_EQ(std::string(game::composeLine("%s%s", std::string(253, 'a').c_str(), twoByte.c_str()).text),
              std::string(253, 'a') + twoByte) << "fits exactly";
    EXPECT_EQ(std::string(game::composeLine("%s%s", std::string(253, 'a').c_str(), threeByte.c_str()).text),
              std::string(253, 'a'));
}
