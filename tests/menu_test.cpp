// The main menu: its rows answer to the pointer's height alone.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <vector>

#include "app/menu.h"
#include "app/mode_backdrop.h"
#include "app/playing.h"
#include "app/shell.h"
#include "board/play.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"
#include "tests/harness.h"
#include "tests/listed_background.h"
#include "tests/screen.h"

using namespace kalup;
using screen::mouseAt;

namespace {

constexpr unsigned SEED = 11;
constexpr int FRAMES = 20;

// What some menu frames leave: the picture, the fragments drawn and the
// game's next random number. The menu and the survival backdrop start from
// the same state each time, and the random numbers from one seed.
struct Frames {
    std::vector<unsigned char> picture;
    GLuint fragments;
    int nextRandom;
};

Frames menuFrames()
{
    menu::state().menuLogoY = 195;
    menu::state().gearAngleA = menu::state().gearAngleB = menu::state().gearAngleC = 0;
    draw::pulsePhase = 0;
    mode_backdrop::survivalBackdropAngle() = 0;
    draw::tileScroll = 0;
    draw::tileScrollTime = 0;
    // The pacing starts afresh too: a wait must not run seconds ahead of the
    // rewound clock, which would look like a stopped process.
    shell::loop().lastFrameTime = 0;
    random::seed(SEED);
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_SAMPLES_PASSED, query);
    for (int frame = 0; frame < FRAMES; ++frame) {
        harness::input().time = 1.0 + frame * shell::FRAME_PERIOD;
        mouseAt(400, 100);
    }
    glEndQuery(GL_SAMPLES_PASSED);
    Frames frames{screen::pixels(), 0, random::rand()};
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &frames.fragments);
    glDeleteQueries(1, &query);
    return frames;
}

} // namespace

using Menu = harness::FromTheMenu;

TEST_F(Menu, SelectorMarksTheLastRowWhoseBandHoldsThePointer)
{
    const int unchanged = 1;
    const struct { int y, markerY; } cases[] = {{262, 315}, {322, 315}, {346, 397}, {403, 397}, {425, 475},
        {483, 475}, {0, unchanged}, {261, unchanged}, {323, unchanged}, {345, unchanged}, {404, unchanged},
        {424, unchanged}, {484, unchanged}, {600, unchanged}};
    for (const auto& c : cases) {
        menu::state().menuMarkerY = unchanged;
        mouseAt(400, c.y);
        EXPECT_EQ(menu::state().menuMarkerY, c.markerY) << "y = " << c.y;
    }
}

TEST_F(Menu, TheButtonStartsTheModeOfTheRowItIsDownInAnywhereAcrossItEvenHeldFromOutside)
{
    const struct { int x, y, mode; } clicks[] = {
        {0, 322, play::MODE_CLASSIC}, {800, 346, play::MODE_REMOVE_TWO}, {0, 425, play::MODE_SURVIVAL}};
    for (const auto& click : clicks) {
        shell::screens().backToMenu();
        mouseAt(click.x, click.y, true);
        EXPECT_EQ(shell::screens().current(), screens::ScreenId::Playing);
        EXPECT_EQ(playing::round().board.gameMode, click.mode);
    }
    shell::screens().backToMenu();
    mouseAt(400, 330, true);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Menu) << "between the rows";
    mouseAt(400, 350, true);
    EXPECT_EQ(shell::screens().current(), screens::ScreenId::Playing);
    EXPECT_EQ(playing::round().board.gameMode, play::MODE_REMOVE_TWO);
}

TEST_F(Menu, TitleSlidesInOnlyOnTheFirstVisit)
{
    menu::state().menuLogoY = -25;
    for (int i = 0; i < 54; ++i)
        mouseAt(400, 100);
    EXPECT_EQ(menu::state().menuLogoY, 191);
    harness::frames(2);
    EXPECT_EQ(menu::state().menuLogoY, 195);
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    shell::screens().backToMenu();
    harness::frames(1);
    EXPECT_EQ(menu::state().menuLogoY, 195);
}

TEST_F(Menu, HidesTheRoundBackgroundWhollyYetMovesItOnAsIfDrawn)
{
    // The menu as the game opens it: no background of any round behind it.
    playing::round().board.gameMode = play::MODE_CLASSIC;
    background::deleteClouds();
    background::preset = {};
    const Frames bare = menuFrames();
    for (int index : {0, 1, 4}) {
        SCOPED_TRACE(testing::Message() << "preset " << index);
        random::seed(SEED);
        background::buildBackground(index);
        const Frames over = menuFrames();
        EXPECT_TRUE(over.picture == bare.picture) << "the backdrop hides everything behind it";
        EXPECT_EQ(over.fragments, bare.fragments) << "so nothing of the background is drawn";
        // The clouds drawn frame by frame, as before the menu hid them, from the same start.
        random::seed(SEED);
        background::buildBackground(index);
        random::seed(SEED);
        for (int frame = 0; frame < FRAMES; ++frame)
            listed::drawBackground();
        EXPECT_EQ(over.nextRandom, random::rand()) << "the clouds drew the same random numbers";
        EXPECT_NE(over.nextRandom, bare.nextRandom) << "stars that passed the eye were placed anew";
    }
    playing::round().board.gameMode = play::MODE_SURVIVAL;
    const Frames survival = menuFrames();
    EXPECT_TRUE(survival.picture == bare.picture);
    EXPECT_EQ(survival.fragments, bare.fragments);
    EXPECT_FLOAT_EQ(mode_backdrop::survivalBackdropAngle(), FRAMES * 0.02f) << "the survival backdrop turns on";
    EXPECT_FLOAT_EQ(draw::tileScroll, FRAMES * 0.001f) << "and its tiles drift on";
    playing::round().board.gameMode = play::MODE_CLASSIC;
}

namespace {

// A pixel of a picture from screen::pixels, x and y from the upper left.
bool lit(const std::vector<unsigned char>& picture, int x, int y)
{
    const unsigned char* p = &picture[((599 - y) * 800 + x) * 4];
    return p[0] + p[1] + p[2] > 0;
}

} // namespace

TEST_F(Menu, AGameStartedOnTheMenuClearsItsFrameWhereTheStartComesForTheRoundsBackdrop)
{
    // A point of the title over the backdrop, and one of the first row's strips.
    const struct { int x, y; } title{400, 195}, strip{100, 312};
    menu::state().menuLogoY = 195;
    harness::frames(2);
    const std::vector<unsigned char> menu = screen::pixels();
    ASSERT_TRUE(lit(menu, title.x, title.y) && lit(menu, strip.x, strip.y));

    mouseAt(400, 292, true);
    const std::vector<unsigned char> byRow = screen::pixels();
    EXPECT_FALSE(lit(byRow, title.x, title.y)) << "a row starts the game after the backdrop and the title";
    EXPECT_TRUE(lit(byRow, strip.x, strip.y)) << "and before the strips";

    shell::screens().backToMenu();
    mouseAt(400, 100);
    harness::input().press(seam::Key::Space);
    harness::frames(1);
    harness::input().release(seam::Key::Space);
    const std::vector<unsigned char> bySpace = screen::pixels();
    EXPECT_FALSE(lit(bySpace, title.x, title.y));
    EXPECT_FALSE(lit(bySpace, strip.x, strip.y)) << "space starts it after the whole menu";
}
