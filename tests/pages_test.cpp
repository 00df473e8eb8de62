// The help page and the tables of bests, through the seam: what opens and
// closes them, what stands still under them, the results that enter the
// tables, and the texts that must fit their places.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/bests_page.h"
#include "app/game_files.h"
#include "app/help_page.h"
#include "app/playing.h"
#include "app/shell.h"
#include "board/play.h"
#include "data/language.h"
#include "game/bests.h"
#include "platform/seam.h"
#include "render/draw.h"
#include "tests/board_picture.h"
#include "tests/harness.h"
#include "tests/screen.h"

using namespace kalup;
using harness::frames;
using harness::input;
using harness::tap;
using seam::Key;

namespace {

// No two like pieces touch and every column is full: no move, no room to rise.
const boardtest::Picture stuckBoard = {
    "012012012012", "120120120120", "201201201201", "012012012012", "120120120120",
    "201201201201", "012012012012", "120120120120", "201201201201",
};

// Frames from the menu (with empty tables, as every test starts).
class Pages : public harness::FromTheMenu {
protected:
    static bool isOn(screens::ScreenId page) { return shell::screens().isOn(page); }
    static game::Table& table(game::BestsTable which) { return game_files::bestsFile().bests[which]; }
    // Frames of half a second, short enough not to be taken for a stopped process.
    static void halfSeconds(int count)
    {
        for (int i = 0; i < count; ++i) {
            input().time += 0.5;
            frames(1);
        }
    }
    // A lost round of the mode: a full board without a move; survival
    // loses at its next rise, falling rows at once.
    static void loseRound(int mode)
    {
        shell::screens().make(screens::Change::startGame(mode));
        frames(2);
        boardtest::setBoard(playing::round().board, mode, stuckBoard);
        // The rises keep their time from game to game: the next one from now.
        playing::round().lastRiseTime = seam::now();
        halfSeconds(10);
    }
};

// White pixels of the logical screen within the box, counted from the top left.
int whitePixelsIn(int left, int top, int right, int bottom)
{
    const std::vector<unsigned char> rgba = screen::pixels();
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const unsigned char* p = &rgba[((599 - y) * 800 + x) * 4];
            count += p[0] > 230 && p[1] > 230 && p[2] > 230;
        }
    return count;
}

float widthOf(language::TextKey key, FTFont* font)
{
    float llx = 0;
    float urx = 0;
    draw::textBox(language::text(key), font, llx, urx);
    return urx - llx;
}

} // namespace

TEST(PageTexts, EveryTextOfTheHelpAndTheTablesFitsOnItsOneLine)
{
    harness::needDisplay();
    using namespace language;
    const struct { TextKey key; FTFont* font; float room; } rooms[] = {
        {TEXT_HELP_TITLE, draw::fontLarge, 760}, {TEXT_BESTS_TITLE, draw::fontLarge, 760},
        {TEXT_HELP_CLASSIC, draw::fontSmall, 700}, {TEXT_HELP_REMOVE2, draw::fontSmall, 700},
        {TEXT_HELP_SURVIVAL, draw::fontSmall, 700}, {TEXT_HELP_SCORE, draw::fontSmall, 700},
        {TEXT_HELP_BOMB, draw::fontSmall, 620}, {TEXT_HELP_DROP_BOMB, draw::fontSmall, 620},
        {TEXT_HELP_PAINT, draw::fontSmall, 620}, {TEXT_HELP_CLOSE, draw::fontSmall, 760},
        {TEXT_HELP_HINT, draw::fontSmall, 760}, {TEXT_BESTS_OPEN, draw::fontSmall, 760},
        {TEXT_BESTS_EMPTY, draw::fontSmall, 760}, {TEXT_BEST_LABEL, draw::fontSmall, 120},
        {TEXT_NEW_RECORD, draw::fontSmall, 440},
    };
    for (const auto& room : rooms) {
        EXPECT_GT(widthOf(room.key, room.font), 0.0f) << keyNames[room.key] << " is empty";
        EXPECT_LE(widthOf(room.key, room.font), room.room) << keyNames[room.key] << ": \"" << text(room.key) << "\"";
    }
}

using HelpPage = Pages;

TEST_F(HelpPage, OverARoundItStandsTheClockStillAndF1OrEscapeCloseItLeavingTheRoundToGoOn)
{
    shell::screens().make(screens::Change::startGame(play::MODE_SURVIVAL));
    halfSeconds(3);
    tap(Key::F1);
    ASSERT_TRUE(isOn(screens::ScreenId::Help));
    EXPECT_TRUE(shell::screens().paused()) << "the round stands as under P";
    const double clock = seam::now();
    const double lasted = playing::round().survivalTime;
    halfSeconds(20);
    EXPECT_EQ(seam::now(), clock);
    EXPECT_EQ(playing::round().survivalTime, lasted);

    // Escape closes the page; held on for many frames it still does not leave the round.
    input().press(Key::Escape);
    frames(1);
    EXPECT_FALSE(isOn(screens::ScreenId::Help));
    halfSeconds(6);
    EXPECT_TRUE(shell::screens().roundOnScreen());
    input().release(Key::Escape);
    frames(2);
    EXPECT_TRUE(shell::screens().roundOnScreen());
    EXPECT_FALSE(shell::screens().paused());
    halfSeconds(2);
    EXPECT_GT(seam::now(), clock) << "the clock runs again";
    EXPECT_DOUBLE_EQ(playing::round().survivalTime - lasted, seam::now() - clock) << "from where it stood";

    tap(Key::F1);
    EXPECT_TRUE(isOn(screens::ScreenId::Help));
    tap(Key::F1);
    EXPECT_FALSE(isOn(screens::ScreenId::Help));
    EXPECT_TRUE(shell::screens().roundOnScreen());
    frames(2);
    EXPECT_FALSE(shell::screens().paused());
    // With the page closed, Escape leaves the round as ever.
    tap(Key::Escape);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
}

TEST_F(HelpPage, UnderAPausedRoundItShowsAndClosingItLeavesThePause)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(5);
    tap(Key::P);
    ASSERT_TRUE(shell::screens().paused());
    const int presented = input().presents;
    tap(Key::F1);
    EXPECT_GT(input().presents, presented) << "the still round is drawn again with the page";
    tap(Key::F1);
    EXPECT_TRUE(shell::screens().paused()) << "P still holds the round";
    tap(Key::P);
    EXPECT_FALSE(shell::screens().paused());
}

TEST_F(HelpPage, OnTheMenuTheRowsAndKeysUnderItRest)
{
    tap(Key::F1);
    ASSERT_TRUE(isOn(screens::ScreenId::Help));
    screen::mouseAt(400, 300, true);
    input().button = false;
    tap(Key::Space);
    tap(Key::Enter);
    tap(Key::B);
    tap(Key::F10);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Help);
    EXPECT_TRUE(isOn(screens::ScreenId::Menu));
    EXPECT_FALSE(shell::loop().quitRequested);
    EXPECT_FALSE(isOn(screens::ScreenId::Bests));
    tap(Key::Escape);
    EXPECT_FALSE(isOn(screens::ScreenId::Help));
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
}

TEST_F(HelpPage, OpenedWhileTheEscapeThatLeftARoundIsHeldItStaysOverTheMenu)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(3);
    input().press(Key::Escape);
    frames(1);
    ASSERT_EQ(shell::screens().current(), screens::ScreenId::Menu);
    tap(Key::F1);
    frames(5);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Help);
    EXPECT_TRUE(isOn(screens::ScreenId::Menu));
    input().release(Key::Escape);
    frames(2);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Help) << "the Escape held from the round left it open";
    tap(Key::Escape);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
}

TEST_F(HelpPage, TheFirstStartsHintGoesOnceTheHelpWasOpened)
{
    help_page::offerHint();
    frames(1);
    const int withHint = whitePixelsIn(150, 25, 650, 45);
    tap(Key::F1);
    tap(Key::F1);
    EXPECT_FALSE(help_page::hintOffered());
    const int without = whitePixelsIn(150, 25, 650, 45);
    EXPECT_GT(withHint, without + 200) << "the hint line above the title";
}

using BestsPage = Pages;

TEST_F(BestsPage, BOnTheMenuOpensTheTablesAndBOrEscapeClosesThemOnTheMenu)
{
    tap(Key::B);
    ASSERT_TRUE(isOn(screens::ScreenId::Bests));
    tap(Key::B);
    EXPECT_FALSE(isOn(screens::ScreenId::Bests));
    tap(Key::B);
    input().press(Key::Escape);
    frames(3);
    EXPECT_FALSE(isOn(screens::ScreenId::Bests));
    input().release(Key::Escape);
    frames(1);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu);
    // F1 takes the screen from the tables.
    tap(Key::B);
    tap(Key::F1);
    EXPECT_TRUE(isOn(screens::ScreenId::Help));
    EXPECT_FALSE(isOn(screens::ScreenId::Bests));
    tap(Key::F1);
    // Not from a round.
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    tap(Key::B);
    EXPECT_FALSE(isOn(screens::ScreenId::Bests));
}

TEST_F(BestsPage, EachMenuRowShowsItsModesBestLeftOfItsLabel)
{
    // The pointer away from the rows, and the left ends of the three labels' lines.
    screen::mouseAt(400, 100);
    const int rowsBefore[3] = {whitePixelsIn(80, 300, 240, 320), whitePixelsIn(80, 385, 240, 405),
        whitePixelsIn(80, 464, 240, 484)};
    game::enterResult(table(game::BestsTable::Classic), {4321, 1796601600});
    game::enterResult(table(game::BestsTable::Survival), {65000, 1796601600});
    frames(1);
    EXPECT_GT(whitePixelsIn(80, 300, 240, 320), rowsBefore[0] + 100) << "classic";
    EXPECT_LE(whitePixelsIn(80, 385, 240, 405), rowsBefore[1] + 20) << "falling rows has no result yet";
    EXPECT_GT(whitePixelsIn(80, 464, 240, 484), rowsBefore[2] + 100) << "survival";
    EXPECT_STREQ(bests_page::resultLine(game::BestsTable::Survival, 65999).text, "1:05");
    EXPECT_STREQ(bests_page::resultLine(game::BestsTable::Classic, 4321).text, "4321");
}

using Results = Pages;

TEST_F(Results, ALostSurvivalRoundEntersItsTimeOnceWithTheDateAndItsScreenSaysANewBest)
{
    input().wallClock = 1796601600;
    loseRound(play::MODE_SURVIVAL);
    ASSERT_TRUE(playing::round().survivalOver);
    halfSeconds(10);
    ASSERT_EQ(table(game::BestsTable::Survival).size(), 1u) << "once, however long the screen stays";
    const game::Result result = table(game::BestsTable::Survival).front();
    EXPECT_EQ(result.value, static_cast<std::int64_t>(playing::round().survivalTime * 1000));
    EXPECT_EQ(result.date, 1796601600);
    EXPECT_TRUE(playing::round().newBest);

    // The next round, lost sooner, enters too but is no new best.
    input().wallClock += 60;
    input().press(Key::Space);
    frames(1);
    input().release(Key::Space);
    halfSeconds(2);
    EXPECT_FALSE(playing::round().survivalOver);
    boardtest::setBoard(playing::round().board, play::MODE_SURVIVAL, stuckBoard);
    playing::round().lastRiseTime = seam::now() - 2.5;
    halfSeconds(10);
    EXPECT_TRUE(playing::round().survivalOver);
    ASSERT_EQ(table(game::BestsTable::Survival).size(), 2u);
    EXPECT_EQ(table(game::BestsTable::Survival)[1].date, 1796601660);
    EXPECT_FALSE(playing::round().newBest);
    EXPECT_TRUE(table(game::BestsTable::Classic).empty());
    EXPECT_TRUE(table(game::BestsTable::FallingRows).empty());
}

TEST_F(Results, ALostFallingRowsRoundEntersItsScoreOnceEvenWhenSpaceDealsTheNextRoundAtOnce)
{
    shell::screens().make(screens::Change::startGame(play::MODE_REMOVE_TWO));
    frames(2);
    playing::round().score = 250;
    boardtest::setBoard(playing::round().board, play::MODE_REMOVE_TWO, stuckBoard);
    halfSeconds(4);
    ASSERT_EQ(table(game::BestsTable::FallingRows).size(), 1u);
    EXPECT_EQ(table(game::BestsTable::FallingRows).front().value, 250);
    EXPECT_TRUE(playing::round().newBest);

    // Space held as the next round is lost: its end screen gives way to a
    // new round in its first frame, and the result still enters, once.
    input().press(Key::Space);
    frames(1);
    playing::round().score = 400;
    boardtest::setBoard(playing::round().board, play::MODE_REMOVE_TWO, stuckBoard);
    halfSeconds(4);
    input().release(Key::Space);
    halfSeconds(2);
    ASSERT_EQ(table(game::BestsTable::FallingRows).size(), 2u);
    EXPECT_EQ(table(game::BestsTable::FallingRows).front().value, 400);
    EXPECT_FALSE(playing::round().newBest) << "the new round has no result yet";
}

TEST_F(Results, AClassicGameEntersItsScoreWhenLeftButNotWithoutPoints)
{
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(3);
    tap(Key::Escape);
    EXPECT_TRUE(table(game::BestsTable::Classic).empty()) << "a score of 0 is no result";

    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    frames(3);
    playing::round().score = 36;
    input().press(Key::Escape);
    frames(5);
    input().release(Key::Escape);
    frames(1);
    ASSERT_EQ(table(game::BestsTable::Classic).size(), 1u) << "once, however long Escape is held";
    EXPECT_EQ(table(game::BestsTable::Classic).front().value, 36);
    EXPECT_EQ(game_files::bestsFile().unsaved[game::BestsTable::Classic].size(), 1u) << "to be saved with the record";
}
