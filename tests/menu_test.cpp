// The main menu: its rows answer to the pointer's height alone.
#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/shell.h"
#include "board/play.h"
#include "game/game_state.h"
#include "tests/harness.h"

using namespace kalup;

namespace {

class Menu : public testing::Test {
protected:
    void SetUp() override
    {
        harness::needResources();
        shell::screenState = shell::SCREEN_MENU;
        shell::quitRequested = false;
        harness::input().time = 1.0;
    }

    static void frameAt(int x, int y, bool button = false)
    {
        harness::input().cursorX = x;
        harness::input().cursorY = y;
        harness::input().button = button;
        ASSERT_TRUE(shell::runFrame());
    }
};

} // namespace

TEST_F(Menu, SelectorMarksTheLastRowWhoseBandHoldsThePointer)
{
    const int unchanged = 1;
    const struct {
        int y, markerY;
    } cases[] = {{262, 315}, {322, 315}, {346, 397}, {403, 397}, {425, 475}, {483, 475},
                 {0, unchanged}, {261, unchanged}, {323, unchanged}, {345, unchanged},
                 {404, unchanged}, {424, unchanged}, {484, unchanged}, {600, unchanged}};
    for (const auto& c : cases) {
        menu::menuMarkerY = unchanged;
        frameAt(400, c.y);
        EXPECT_EQ(menu::menuMarkerY, c.markerY) << "y = " << c.y;
    }
}

TEST_F(Menu, ClickAnywhereAcrossARowStartsItsMode)
{
    const struct {
        int x, y, mode;
    } clicks[] = {{0, 322, play::MODE_CLASSIC}, {800, 346, play::MODE_REMOVE_TWO}, {0, 425, play::MODE_FF}};
    for (const auto& click : clicks) {
        shell::returnToMenu();
        frameAt(click.x, click.y, true);
        EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
        EXPECT_EQ(play::gameMode, click.mode);
    }
}

TEST_F(Menu, HeldButtonStartsTheModeOnEnteringItsBand)
{
    frameAt(400, 330, true);
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    frameAt(400, 350, true);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    EXPECT_EQ(play::gameMode, play::MODE_REMOVE_TWO);
}

TEST_F(Menu, TitleSlidesInOnlyOnTheFirstVisit)
{
    menu::menuLogoY = -25;
    for (int i = 0; i < 54; ++i)
        frameAt(400, 100);
    EXPECT_EQ(menu::menuLogoY, 191);
    frameAt(400, 100);
    frameAt(400, 100);
    EXPECT_EQ(menu::menuLogoY, 195);
    shell::startClassicGame();
    shell::returnToMenu();
    frameAt(400, 100);
    EXPECT_EQ(menu::menuLogoY, 195);
}
