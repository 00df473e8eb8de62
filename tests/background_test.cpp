// The round background: the preset the clock picks, its release, and the
// veil that darkens what lies behind the clouds.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <tuple>
#include <utility>

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

TEST(BackgroundVeil, DarkensAGreyByItsStatedOpacityWhateverTextureIsBound)
{
    harness::needDisplay();
    // A clear texel left bound, as a frame may leave the cursor's edge: a
    // textured veil would take its opacity from it and darken nothing.
    GLuint clearTexel = 0;
    const unsigned char texel[4] = {255, 255, 255, 0};
    glGenTextures(1, &clearTexel);
    glBindTexture(GL_TEXTURE_2D, clearTexel);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Preset: the grey of 128 it leaves, 128 x (1 - (0.5 - shade x 0.0049)).
    // Preset 0's opacity is below zero and preset 4 has no shade: neither
    // darkens anything.
    const std::pair<int, int> cases[] = {{0, 128}, {1, 89}, {2, 70}, {3, 108}, {4, 128}, {5, 95}, {6, 95}, {8, 95}};
    for (auto [index, grey] : cases) {
        SCOPED_TRACE(testing::Message() << "preset " << index);
        background::buildBackground(index);
        display::beginFrame();
        draw::beginScene3D();
        glClearColor(128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, clearTexel);
        background::drawVeil();
        unsigned char pixel[4] = {};
        glReadPixels(400, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_NEAR(pixel[0], grey, 1);
        GLint source = 0, destination = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        glGetIntegerv(GL_BLEND_DST, &destination);
        EXPECT_EQ(std::tuple(glIsEnabled(GL_TEXTURE_2D), source, destination), std::tuple(GL_TRUE, GL_ONE, GL_ONE))
            << "the clouds after it are textured and add up";
    }
    glClearColor(0, 0, 0, 1);
    glDeleteTextures(1, &clearTexel);
}
