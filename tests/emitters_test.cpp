// Particle bursts: how long a particle lives, how a ball moves, when a burst
// is dropped, and which bursts and samples the game makes of the rules' events.
#include <cmath>

#include <gtest/gtest.h>

#include "app/round_effects.h"
#include "board/board.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/random.h"
#include "tests/board_picture.h"
#include "tests/harness.h"

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

TEST(Emitters, RemovedPiecesBurstIntoFourBallsOfTheirColourAndBlastsIntoEightStars)
{
    harness::needResources();
    releaseEmitters();
    kalup::board::Events& effects = kalup::round_effects::listener();
    harness::soundLog().clear();
    effects.pieceBurst(40, 516, 2);
    effects.pieceBurst(40, 516, kalup::board::KIND_DROP_BOMB);
    effects.blastFlash(304, 300);
    ASSERT_EQ(liveEmitters.size(), 3u);
    auto it = liveEmitters.begin();
    for (kalup::textures::Texture balls : {kalup::textures::texBalls[2], 0u}) {
        const auto& burst = dynamic_cast<BallBurstEmitter&>(**it++);
        EXPECT_TRUE(burst.position.x == 40.0f && burst.position.y == 516.0f);
        EXPECT_TRUE(burst.count == 4 && burst.floorY == 530 && burst.texture == balls) << "drop bombs have no balls";
    }
    const auto& star = dynamic_cast<StarBurstEmitter&>(**it);
    EXPECT_TRUE(star.position.x == 304.0f && star.position.y == 300.0f);
    EXPECT_TRUE(star.particles.size() == 8 && star.texture == kalup::textures::texStar);
    releaseEmitters();
    using kalup::board::Sound;
    namespace sound = kalup::sound;
    const std::pair<Sound, kalup::audio::Handle> samples[] = {{Sound::VoiceTwo, sound::sndRobot[0]},
        {Sound::VoiceTen, sound::sndRobot[8]}, {Sound::VoiceLaugh, sound::sndRobot[9]},
        {Sound::GroupRemoved, sound::sndGroupRemoved},
        {Sound::PiecesFell, sound::sndPiecesFell}, {Sound::ColumnClosed, sound::sndBoardShift}, {Sound::BoardRose, sound::sndBoardShift},
        {Sound::FeedPieceLost, sound::sndFeedPieceLost}, {Sound::DropBombFalling, sound::sndFall},
        {Sound::DropBombBlast, sound::sndDropBombBlast}, {Sound::BombBlast, sound::sndBombBlast},
        {Sound::PiecePainted, sound::sndPaint}, {Sound::FeedReleased, sound::sndLinefall},
        {Sound::RoundStarted, sound::sndRoundStart}, {Sound::BoardCleared, sound::sndJump}};
    for (const auto& [meaning, sample] : samples) {
        harness::soundLog().clear();
        effects.playSound(meaning);
        EXPECT_EQ(harness::soundLog(), std::vector<kalup::audio::Handle>{sample}) << int(meaning);
    }
}
