// The round background: the preset the clock picks, its release, and the
// veil it leaves out.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"
#include "tests/harness.h"

using namespace kalup;

TEST(BackgroundPreset, SixthNumberAfterSeedingWithTheClockPicksItAndTheSameSecondRepeatsTheRound)
{
    harness::needDisplay();
    for (std::int64_t second : {1700000000LL, 1700000001LL, 1700000002LL, 1234567890LL}) {
        SCOPED_TRACE(second);
        random::seed(static_cast<unsigned>(second));
        for (int i = 0; i < 5; ++i)
            random::rand();
        const int expected = random::rand() % 10;
        harness::input().wallClock = second;
        background::chooseBackground();
        EXPECT_EQ(background::presetIndex, expected);
        const float starX = background::cloudArray[0].starPoints[0].x;
        const int next = random::rand();
        background::chooseBackground();
        EXPECT_EQ(background::presetIndex, expected);
        EXPECT_EQ(background::cloudArray[0].starPoints[0].x, starX);
        EXPECT_EQ(random::rand(), next) << "the round's random numbers restart too";
    }
}

TEST(BackgroundPreset, ShutdownReleasesTheCloudsAndTheSpriteTexture)
{
    harness::needDisplay();
    background::buildBackground(4);
    const unsigned texture = background::spriteTexture;
    ASSERT_TRUE(glIsTexture(texture));
    background::releaseBackground();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(background::cloudArray, nullptr);
    background::buildBackground(4);
    EXPECT_TRUE(glIsTexture(background::spriteTexture)) << "the next round builds it anew";
}

namespace {

// A preset's black veil as the frame would draw it first over the whole
// view, at the opacity 0.5 - shade x 0.0049 (none without shade).
void drawVeil()
{
    const float opacity = 0.5f - background::preset.shade * 0.0049f;
    if (background::preset.shade == 0 || opacity <= 0.0f)
        return;
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, opacity);
    glBegin(GL_QUADS);
    glVertex3f(-40, -17, 0);
    glVertex3f(40, -17, 0);
    glVertex3f(40, 17, 0);
    glVertex3f(-40, 17, 0);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ONE);
}

// The colours of the given frames of a round on one preset, each drawn as the
// game does onto a target just cleared to black, the veil first or not.
std::vector<std::vector<unsigned char>> roundFrames(int index, int frames, bool veiled)
{
    random::seed(1700000000);
    background::buildBackground(index);
    std::vector<std::vector<unsigned char>> colours;
    for (int frame = 0; frame < frames; ++frame) {
        display::beginFrame();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        draw::beginScene3D();
        if (veiled)
            drawVeil();
        background::drawBackground();
        std::vector<unsigned char> rgb(800 * 600 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        colours.push_back(std::move(rgb));
    }
    return colours;
}

} // namespace

// Behind the clouds the frame is black, where a black veil darkens nothing:
// the background leaves it out, and every frame of every preset is the same
// as with it.
TEST(BackgroundVeil, OverTheBlackFrameChangesNoPixelSoTheBackgroundLeavesItOut)
{
    harness::needDisplay();
    constexpr int FRAMES = 40;
    for (int index = 0; index < 10; ++index) {
        SCOPED_TRACE(testing::Message() << "preset " << index);
        const auto veiled = roundFrames(index, FRAMES, true);
        const auto shown = roundFrames(index, FRAMES, false);
        int differing = 0;
        for (int frame = 0; frame < FRAMES; ++frame)
            differing += shown[frame] != veiled[frame];
        EXPECT_EQ(differing, 0) << "frames that differ";
        EXPECT_TRUE(std::ranges::any_of(shown.back(), [](unsigned char c) { return c != 0; }))
            << "the clouds were drawn";
    }
}
