#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "bench/listed_background.h"
#include "platform/display.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"
#include "tests/harness.h"

namespace background = kalup::background;
namespace rng = kalup::random;

namespace {

// Thirty frames of a preset from a fixed seed, drawn by the game or sprite by sprite.
std::vector<unsigned char> renderFrames(int presetIndex, void (*drawBackground)())
{
    rng::seed(7);
    kalup::display::beginFrame();
    background::buildBackground(presetIndex);
    kalup::listed::compileSprite();
    kalup::draw::beginScene3D();
    for (int i = 0; i < 30; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        drawBackground();
    }
    std::vector<unsigned char> pixels(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

} // namespace

TEST(BackgroundPreset, SixthNumberAfterSeedingWithTheClockPicksItAndTheSameSecondRepeatsTheRound)
{
    harness::needDisplay();
    for (std::int64_t second : {1700000000LL, 1700000001LL, 1700000002LL, 1234567890LL}) {
        rng::seed(static_cast<unsigned>(second));
        for (int i = 0; i < 5; ++i)
            rng::rand();
        const int expected = rng::rand() % 10;
        harness::input().wallClock = second;
        background::generateBackground();
        EXPECT_EQ(background::presetIndex, expected) << second;
        const float starX = background::cloudArray[0].starPoints[0].x;
        const int next = rng::rand();
        background::generateBackground();
        EXPECT_EQ(background::presetIndex, expected) << second;
        EXPECT_EQ(background::cloudArray[0].starPoints[0].x, starX) << second;
        EXPECT_EQ(rng::rand(), next) << "the round's random numbers restart too";
    }
}

TEST(BackgroundDrawing, BatchedSpritesDrawTheSpriteBySpritePicture)
{
    harness::needDisplay();
    for (int index : {0, 4, 8}) {
        const auto listed = renderFrames(index, kalup::listed::drawBackground);
        const auto batched = renderFrames(index, background::drawBackground);
        int lit = 0;
        int differing = 0;
        int largest = 0;
        for (std::size_t i = 0; i < listed.size(); ++i) {
            lit += listed[i] != 0;
            const int difference = std::abs(listed[i] - batched[i]);
            differing += difference != 0;
            largest = std::max(largest, difference);
        }
        EXPECT_GT(lit, 10000) << "preset " << index << " drew something";
        // Only the order of float roundings differs: a stray last bit here and there.
        EXPECT_LE(largest, 1) << "preset " << index;
        EXPECT_LT(differing, static_cast<int>(listed.size() / 2000)) << "preset " << index;
    }
}

TEST(BackgroundDrawing, ShutdownReleasesTheCloudsAndTheSpriteTexture)
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
        background::buildBackground(index);
        kalup::display::beginFrame();
        kalup::draw::beginScene3D();
        glClearColor(128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, clearTexel);
        background::drawVeil();
        unsigned char pixel[4] = {};
        glReadPixels(400, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_NEAR(pixel[0], grey, 1) << "preset " << index;
        GLint source = 0, destination = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        glGetIntegerv(GL_BLEND_DST, &destination);
        EXPECT_EQ(std::tuple(glIsEnabled(GL_TEXTURE_2D), source, destination), std::tuple(GL_TRUE, GL_ONE, GL_ONE))
            << "the clouds after it are textured and add up";
    }
    glClearColor(0, 0, 0, 1);
    glDeleteTextures(1, &clearTexel);
}
