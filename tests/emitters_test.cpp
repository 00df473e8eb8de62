// Particle bursts: how long a particle lives, how a ball moves, and when a
// burst is dropped.
#include <cmath>

#include <gtest/gtest.h>

#include "fx/emitters.h"
#include "platform/random.h"
#include "tests/board_picture.h"

using namespace kalup::fx;

// One particle standing still mid-screen, with the given gravity.
template <class Emitter> Particle& stillParticle(Emitter& emitter, float gravity = 0.0f)
{
    emitter.gravity = gravity;
    Particle& particle = emitter.particles.front();
    particle.x = 400.0f;
    particle.y = 300.0f;
    particle.vx = particle.vy = 0.0f;
    return particle;
}

template <class Emitter> int updatesToDie(Emitter&& emitter)
{
    const Particle& particle = stillParticle(emitter);
    int updates = 0;
    for (; particle.alive && updates < 1000; ++updates)
        emitter.update();
    return updates;
}

TEST(Particles, BallLivesAHundredUpdatesStarTwoHundredThenOneMoreAtZero)
{
    // The opacity is tested before the fade: drawn once at 0, killed by the next update.
    EXPECT_EQ(updatesToDie(BallBurstEmitter(1, {0.0f, 0.0f}, 530, 0u)), 102);
    EXPECT_EQ(updatesToDie(StarBurstEmitter(1, {0.0f, 0.0f}, 0u)), 202);
}

TEST(Particles, BallMovesTwicePerUpdateAndIsKickedUpAtRandomBelowTheFloor)
{
    kalup::random::seed(17);
    BallBurstEmitter burst(1, {0.0f, 0.0f}, 530, 0u);
    Particle& particle = stillParticle(burst, 0.1f);
    particle.vx = 3.0f;
    particle.vy = 1.0f;
    burst.update();
    EXPECT_TRUE(particle.x == 406.0f && particle.y == 302.0f) << particle.x << "," << particle.y;
    EXPECT_FLOAT_EQ(particle.vy, 1.1f);
    int kicks = 0;
    for (int n = 0; n < 40; ++n) {
        stillParticle(burst, 0.1f).y = 560.0f;
        burst.update();
        ASSERT_TRUE(std::fabs(particle.vy) < 1e-5f || std::fabs(particle.vy + 1.0f) < 1e-5f) << "no gravity there";
        kicks += particle.vy < -0.5f;
    }
    EXPECT_TRUE(kicks > 5 && kicks < 35) << kicks;
}

TEST(Emitters, BurstIsDroppedInTheFirstFrameItDrawsNothing)
{
    boardtest::setBoard({}); // the display open, no bursts left over
    auto* ball = new BallBurstEmitter(4, {400.0f, 300.0f}, 530, 0u);
    auto* star = new StarBurstEmitter(8, {400.0f, 300.0f}, 0u);
    liveEmitters.assign({ball, new BallBurstEmitter(0, {0.0f, 0.0f}, 530, 0u), star});
    EXPECT_EQ(runEmitters(), 12) << "the sum of both bursts";
    EXPECT_EQ(liveEmitters.size(), 2u) << "an empty burst goes in its first pass";
    for (Particle& particle : ball->particles)
        particle.alive = false;
    EXPECT_EQ(runEmitters(), 8);
    EXPECT_EQ(liveEmitters, std::list<ParticleEmitter*>{star});
    for (int frame = 0; frame < 200 && !liveEmitters.empty(); ++frame)
        runEmitters();
    EXPECT_TRUE(liveEmitters.empty()) << "gone within the 202 updates of a star";
}
