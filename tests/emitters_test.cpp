#include <gtest/gtest.h>

#include <cmath>

#include "fx/emitters.h"
#include "platform/random.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

using namespace kalup::fx;

namespace {

// A particle standing still in the middle of the screen, to watch it fade.
void holdStill(Particle& particle)
{
    particle.x = 400.0f;
    particle.y = 300.0f;
    particle.vx = 0.0f;
    particle.vy = 0.0f;
}

int updatesUntilDead(ParticleEmitter& emitter, Particle& particle)
{
    int updates = 0;
    while (particle.alive && updates < 1000) {
        emitter.update();
        ++updates;
    }
    return updates;
}

} // namespace

TEST(Particles, BallBurstSpawnsWhiteBallsAroundItsCentre)
{
    kalup::random::seed(21);
    BallBurstEmitter burst(4, {200.0f, 100.0f}, 530, 7u);
    ASSERT_EQ(burst.particles.size(), 4u);
    EXPECT_EQ(burst.gravity, 0.1f);
    EXPECT_EQ(burst.bounce, 1.0f);
    for (const Particle& particle : burst.particles) {
        EXPECT_TRUE(particle.alive);
        EXPECT_NEAR(particle.x, 200.0f, 4.0f);
        EXPECT_NEAR(particle.y, 100.0f, 4.0f);
        EXPECT_EQ(particle.x, std::floor(particle.x)) << "whole-unit jitter";
        const float speed = std::hypot(particle.vx, particle.vy);
        EXPECT_GE(speed, 1.99f);
        EXPECT_LE(speed, 5.01f);
        EXPECT_EQ(particle.r + particle.g + particle.b + particle.a, 4.0f);
        EXPECT_TRUE(particle.width >= 6.0f && particle.width <= 32.0f);
        EXPECT_EQ(particle.width, particle.height);
    }
}

TEST(Particles, StarBurstMixesYellowAndRedLargeStars)
{
    kalup::random::seed(4);
    int yellow = 0;
    int red = 0;
    for (int n = 0; n < 10; ++n) {
        StarBurstEmitter burst(8, {400.0f, 300.0f}, 3u);
        ASSERT_EQ(burst.particles.size(), 8u);
        EXPECT_EQ(burst.gravity, 0.2f);
        for (const Particle& particle : burst.particles) {
            EXPECT_EQ(particle.r, 1.0f);
            EXPECT_EQ(particle.b, 0.0f);
            EXPECT_EQ(particle.a, 1.0f);
            (particle.g == 1.0f ? yellow : red) += 1;
            EXPECT_TRUE(particle.width >= 60.0f && particle.width <= 100.0f);
        }
    }
    EXPECT_GT(yellow, 10);
    EXPECT_GT(red, 10);
}

TEST(Particles, PositionAdvancesTwicePerUpdateBeforeGravity)
{
    BallBurstEmitter burst(1, {0.0f, 0.0f}, 530, 0u);
    Particle& particle = burst.particles[0];
    holdStill(particle);
    particle.vx = 3.0f;
    particle.vy = 1.0f;
    burst.update();
    EXPECT_EQ(particle.x, 406.0f);
    EXPECT_EQ(particle.y, 302.0f);
    EXPECT_FLOAT_EQ(particle.vy, 1.1f);
    EXPECT_FLOAT_EQ(particle.angle, 0.1f);
    EXPECT_FLOAT_EQ(particle.a, 0.99f);
}

TEST(Particles, BallFadesOutAfterAHundredUpdatesStarAfterTwoHundred)
{
    BallBurstEmitter ball(1, {0.0f, 0.0f}, 530, 0u);
    ball.gravity = 0.0f;
    holdStill(ball.particles[0]);
    // Drawn once more at zero opacity, then killed by the next update.
    EXPECT_EQ(updatesUntilDead(ball, ball.particles[0]), 102);

    StarBurstEmitter star(1, {0.0f, 0.0f}, 0u);
    star.gravity = 0.0f;
    holdStill(star.particles[0]);
    EXPECT_EQ(updatesUntilDead(star, star.particles[0]), 202);
}

TEST(Particles, ZeroOpacityAtTheStartOfAnUpdateKills)
{
    StarBurstEmitter star(1, {0.0f, 0.0f}, 0u);
    holdStill(star.particles[0]);
    star.particles[0].a = 0.0f;
    star.update();
    EXPECT_FALSE(star.particles[0].alive);
}

TEST(Particles, WidenedScreenKeepsEdgeParticlesAlive)
{
    StarBurstEmitter star(2, {0.0f, 0.0f}, 0u);
    star.gravity = 0.0f;
    for (Particle& particle : star.particles)
        holdStill(particle);
    star.particles[0].x = 862.0f;
    star.particles[0].vx = 2.0f;
    star.particles[1].y = -62.0f;
    star.particles[1].vy = -2.5f;
    star.update();
    EXPECT_TRUE(star.particles[0].alive) << "864 itself is still inside";
    EXPECT_FALSE(star.particles[1].alive);
}

TEST(Particles, BallsBelowTheFloorGetNoGravityAndRandomUpwardKicks)
{
    kalup::random::seed(17);
    BallBurstEmitter burst(1, {0.0f, 0.0f}, 530, 0u);
    Particle& particle = burst.particles[0];
    int kicks = 0;
    int rests = 0;
    for (int n = 0; n < 40; ++n) {
        holdStill(particle);
        particle.y = 560.0f;
        burst.update();
        if (std::fabs(particle.vy) < 1e-5f)
            ++rests;
        else if (std::fabs(particle.vy + 1.0f) < 1e-5f)
            ++kicks;
    }
    EXPECT_EQ(kicks + rests, 40) << "the change of speed is 0 or -1, never down";
    EXPECT_GT(kicks, 5);
    EXPECT_GT(rests, 5);
}

TEST(Emitters, BurstIsDroppedInTheFirstFrameItDrawsNothing)
{
    harness::needDisplay();
    boardtest::clearBursts();
    auto* ball = new BallBurstEmitter(4, {400.0f, 300.0f}, 530, 0u);
    auto* star = new StarBurstEmitter(8, {400.0f, 300.0f}, 0u);
    liveEmitters.push_back(ball);
    liveEmitters.push_back(star);
    EXPECT_EQ(runEmitters(), 12) << "the sum of both bursts";

    for (Particle& particle : ball->particles)
        particle.alive = false;
    EXPECT_EQ(runEmitters(), 8);
    ASSERT_EQ(liveEmitters.size(), 1u);
    EXPECT_EQ(liveEmitters.front(), star);

    int frames = 0;
    while (!liveEmitters.empty() && frames < 500) {
        runEmitters();
        ++frames;
    }
    EXPECT_TRUE(liveEmitters.empty());
    EXPECT_LE(frames, 201);
}

TEST(Emitters, EmptyBurstGoesInItsFirstPass)
{
    harness::needDisplay();
    boardtest::clearBursts();
    liveEmitters.push_back(new BallBurstEmitter(0, {0.0f, 0.0f}, 530, 0u));
    EXPECT_EQ(runEmitters(), 0);
    EXPECT_TRUE(liveEmitters.empty());
}
