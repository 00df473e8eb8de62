// The main menu: its rows answer to the pointer's height alone.
#include <gtest/gtest.h>

#include "app/menu.h"
#include "app/shell.h"
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
        menu::menuMarkerY = 315;
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

TEST_F(Menu, SelectorFollowsTheLastHoveredRow)
{
    frameAt(400, 100);
    EXPECT_EQ(menu::menuMarkerY, 315) << "before any hover";
    frameAt(400, 346);
    EXPECT_EQ(menu::menuMarkerY, 397);
    frameAt(400, 483);
    EXPECT_EQ(menu::menuMarkerY, 475);
    frameAt(400, 262);
    EXPECT_EQ(menu::menuMarkerY, 315);
    frameAt(400, 403);
    EXPECT_EQ(menu::menuMarkerY, 397);
    frameAt(400, 600);
    EXPECT_EQ(menu::menuMarkerY, 397) << "no row hovered keeps the last one";
}

TEST_F(Menu, GapsBetweenTheBandsHoverNothing)
{
    for (int y : {0, 261, 323, 345, 404, 424, 484, 600}) {
        menu::menuMarkerY = 1;
        frameAt(400, y);
        EXPECT_EQ(menu::menuMarkerY, 1) << "y = " << y;
    }
}

TEST_F(Menu, ClickAnywhereAcrossARowStartsItsMode)
{
    const struct {
        int x, y, mode;
    } clicks[] = {{0, 322, game::MODE_CLASSIC}, {800, 346, game::MODE_REMOVE_TWO}, {0, 425, game::MODE_FF}};
    for (const auto& click : clicks) {
        shell::screenState = shell::SCREEN_MENU;
        frameAt(click.x, click.y, true);
        EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
        EXPECT_EQ(game::gameMode, click.mode);
        shell::returnToMenu();
    }
}

TEST_F(Menu, HeldButtonStartsTheModeOnEnteringItsBand)
{
    frameAt(400, 330, true);
    EXPECT_EQ(shell::screenState, shell::SCREEN_MENU);
    frameAt(400, 350, true);
    EXPECT_EQ(shell::screenState, shell::SCREEN_PLAYING);
    EXPECT_EQ(game::gameMode, game::MODE_REMOVE_TWO);
}

TEST_F(Menu, TitleSlidesInOnceAndGearsTurn)
{
    menu::menuLogoY = -25;
    const float a = menu::gearAngleA, b = menu::gearAngleB, c = menu::gearAngleC;
    for (int i = 0; i < 54; ++i)
        frameAt(400, 100);
    EXPECT_EQ(menu::menuLogoY, 191);
    frameAt(400, 100);
    frameAt(400, 100);
    EXPECT_EQ(menu::menuLogoY, 195);
    EXPECT_FLOAT_EQ(menu::gearAngleA, a + 56.0f);
    EXPECT_FLOAT_EQ(menu::gearAngleB, b - 28.0f);
    EXPECT_FLOAT_EQ(menu::gearAngleC, c + 224.0f);

    shell::startClassicGame();
    shell::returnToMenu();
    frameAt(400, 100);
    EXPECT_EQ(menu::menuLogoY, 195) << "later visits show the title at rest";
}
