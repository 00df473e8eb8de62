#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/display.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"
#include "tests/harness.h"

namespace background = kalup::background;
namespace rng = kalup::random;
using background::preset;

namespace {

// The preset the clock's second picks: the sixth number after seeding.
int presetForSecond(std::int64_t second)
{
    rng::seed(static_cast<unsigned>(second));
    for (int i = 0; i < 5; ++i)
        rng::rand();
    return rng::rand() % 10;
}

// A cloud built for the given counts, with a still field: every phase rests
// where its cosine is `coefficient`.
void useCounts(int stars, int trail, int speed, int flow)
{
    preset = {1, stars, trail, 30, 20, speed, flow, 0};
}

void stillField(background::SwirlCloud& cloud, float phase)
{
    for (int k = 0; k < 9; ++k) {
        cloud.phase[k] = phase;
        cloud.rate[k] = 0.0f;
    }
}

std::vector<unsigned char> renderFrames(int presetIndex, background::DrawStyle style, int frames)
{
    rng::seed(7);
    kalup::display::beginFrame();
    background::buildBackground(presetIndex);
    background::drawStyle = style;
    kalup::draw::beginScene3D();
    for (int i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        background::drawBackground();
    }
    std::vector<unsigned char> pixels(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    background::drawStyle = background::DrawStyle::Batched;
    return pixels;
}

} // namespace

TEST(BackgroundPreset, SixthNumberAfterSeedingWithTheClockPicksIt)
{
    harness::needDisplay();
    for (std::int64_t second : {1700000000LL, 1700000001LL, 1700000002LL, 1700000003LL, 1234567890LL}) {
        harness::input().wallClock = second;
        const int expected = presetForSecond(second);
        background::generateBackground();
        EXPECT_EQ(background::presetIndex, expected) << second;
    }
}

TEST(BackgroundPreset, TwoRoundsInTheSameSecondGetTheSameBackgroundAndNumbers)
{
    harness::needDisplay();
    harness::input().wallClock = 1700000123;
    background::generateBackground();
    const int first = background::presetIndex;
    const background::StarPoint star = background::cloudArray[0].starPoints[0];
    const int next = rng::rand();
    background::generateBackground();
    EXPECT_EQ(background::presetIndex, first);
    EXPECT_EQ(background::cloudArray[0].starPoints[0].x, star.x);
    EXPECT_EQ(background::cloudArray[0].starPoints[0].y, star.y);
    EXPECT_EQ(background::cloudArray[0].starPoints[0].z, star.z);
    EXPECT_EQ(rng::rand(), next) << "the round's random numbers restart too";
}

TEST(BackgroundPreset, FixedPresetsComeFromTheTable)
{
    harness::needDisplay();
    background::buildBackground(4);
    EXPECT_EQ(preset.clouds, 2);
    EXPECT_EQ(preset.stars, 400);
    EXPECT_EQ(preset.trail, 1600);
    EXPECT_EQ(preset.size, 15);
    EXPECT_EQ(preset.spin, 20);
    EXPECT_EQ(preset.speed, 15);
    EXPECT_EQ(preset.flow, 10);
    EXPECT_EQ(preset.shade, 0);
    EXPECT_EQ(background::cloudCount, 2);
    EXPECT_FLOAT_EQ(background::spriteHalfSize, 0.3f);
    background::buildBackground(0);
    EXPECT_EQ(preset.shade, 170);
    EXPECT_EQ(background::cloudCount, 1);
}

TEST(BackgroundPreset, RandomPresetsDrawStarsTrailAndSizeInThatOrder)
{
    harness::needDisplay();
    rng::seed(99);
    const int stars = 30 + rng::rand() % 10;
    const int trail = 30 + rng::rand() % 60;
    const int size = 30 + rng::rand() % 10;
    rng::seed(99);
    background::buildBackground(8);
    EXPECT_EQ(preset.stars, stars);
    EXPECT_EQ(preset.trail, trail);
    EXPECT_EQ(preset.size, size);
    EXPECT_EQ(preset.spin, 20);
    EXPECT_EQ(preset.speed, 1);
    EXPECT_EQ(preset.flow, 10);
    EXPECT_EQ(preset.shade, 50);
}

TEST(SwirlCloud, StarsStartInTheirBoxAndTheTrailWaitsBehindTheEye)
{
    useCounts(300, 3000, 5, 15);
    preset.spin = 3;
    rng::seed(1);
    const background::SwirlCloud cloud;
    for (int i = 0; i < cloud.stars; ++i) {
        const auto& star = cloud.starPoints[i];
        EXPECT_LE(std::fabs(star.x), 30.0f);
        EXPECT_LE(std::fabs(star.y), 30.0f);
        EXPECT_LE(std::fabs(star.z), 15.0f);
    }
    for (int i = 0; i < cloud.trail; ++i)
        ASSERT_EQ(cloud.trailPoints[i].z, 100.0f);
    EXPECT_EQ(cloud.cursor, 0);
    for (int k = 0; k < 9; ++k) {
        EXPECT_GE(cloud.rate[k], 9 * 0.00001f);
        EXPECT_LE(cloud.rate[k], 9 * 0.00006f);
        EXPECT_GE(cloud.phase[k], 0.0f);
        EXPECT_LE(cloud.phase[k], 6.2831855f);
    }
}

TEST(SwirlCloud, EveryFrameRestampsTheNewestSlotsAndAShortTrailWraps)
{
    useCounts(39, 30, 1, 10);
    rng::seed(2);
    background::SwirlCloud cloud;
    stillField(cloud, 1.5707964f);
    cloud.step();
    EXPECT_EQ(cloud.cursor, 9);
    for (int slot = 0; slot < 9; ++slot) {
        const auto& star = cloud.starPoints[30 + slot];
        EXPECT_NEAR(cloud.trailPoints[slot].x, star.x, 1e-4) << "the last stamps survive";
        EXPECT_NEAR(cloud.trailPoints[slot].z, star.z, 1e-4);
    }
}

TEST(SwirlCloud, UnstampedSlotsStayOutOfSightUntilTheTrailIsFull)
{
    useCounts(300, 1000, 5, 15);
    rng::seed(3);
    background::SwirlCloud cloud;
    for (int frame = 0; frame < 3; ++frame)
        cloud.step();
    EXPECT_GT(cloud.trailPoints[999].z, 50.0f) << "stamped after four frames";
    cloud.step();
    for (int i = 0; i < cloud.trail; ++i)
        ASSERT_LT(cloud.trailPoints[i].z, 50.0f) << i;
}

TEST(SwirlCloud, StarPassingTheFrontReappearsAtTheBack)
{
    useCounts(1, 2, 1, 10);
    rng::seed(4);
    background::SwirlCloud cloud;
    stillField(cloud, 1.5707964f);
    cloud.starPoints[0] = {1.0f, 2.0f, 14.995f};
    cloud.step();
    EXPECT_EQ(cloud.starPoints[0].z, -15.0f);
    EXPECT_NE(cloud.starPoints[0].x, 1.0f);
    EXPECT_NEAR(cloud.trailPoints[0].z, -15.0f, 1e-4) << "the stamp follows the star";
}

TEST(SwirlCloud, StarStepFollowsEachRoundsPreset)
{
    useCounts(1, 2, 5, 10);
    background::SwirlCloud slow;
    slow.starPoints[0].z = 0.0f;
    slow.step();
    EXPECT_FLOAT_EQ(slow.starPoints[0].z, 0.05f);
    useCounts(1, 2, 15, 10);
    background::SwirlCloud fast;
    fast.starPoints[0].z = 0.0f;
    fast.step();
    EXPECT_FLOAT_EQ(fast.starPoints[0].z, 0.15f);
}

TEST(SwirlCloud, FieldMovesTheTrailAndItsGlowIsTheClampedMovement)
{
    useCounts(1, 3, 1, 10);
    background::SwirlCloud cloud;
    stillField(cloud, 0.0f);
    cloud.trailPoints[1] = {1, 2, 3, 0, 0, 0};
    cloud.trailPoints[2] = {10, 20, 30, 0, 0, 0};
    cloud.step();
    const auto& calm = cloud.trailPoints[1];
    EXPECT_FLOAT_EQ(calm.x, 1.5f);
    EXPECT_FLOAT_EQ(calm.y, 2.4f);
    EXPECT_FLOAT_EQ(calm.z, 3.3f);
    EXPECT_NEAR(calm.r, 0.45f, 1e-6);
    EXPECT_NEAR(calm.g, 0.36f, 1e-6);
    EXPECT_NEAR(calm.b, 0.27f, 1e-6);
    const auto& fast = cloud.trailPoints[2];
    EXPECT_EQ(fast.r, 1.0f);
    EXPECT_EQ(fast.g, 1.0f);
    EXPECT_EQ(fast.b, 1.0f);
}

TEST(SpriteGradient, PeaksAtTheCentreAndVanishesThirtyTwoTexelsOut)
{
    EXPECT_EQ(background::gradientTexel(32, 32), 255);
    EXPECT_EQ(background::gradientTexel(48, 32), 127);
    EXPECT_EQ(background::gradientTexel(32, 0), 0);
    EXPECT_EQ(background::gradientTexel(0, 32), 0);
    EXPECT_EQ(background::gradientTexel(63, 63), 0);
    EXPECT_EQ(background::gradientTexel(10, 32), background::gradientTexel(32, 10));
}

TEST(BackgroundDrawing, BatchedSpritesDrawTheDisplayListPicture)
{
    harness::needDisplay();
    for (int index : {0, 4, 8}) {
        const auto listed = renderFrames(index, background::DrawStyle::DisplayList, 30);
        const auto batched = renderFrames(index, background::DrawStyle::Batched, 30);
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
