#include "fx/emitters.h"

#include "fx/particles.h"
#include "platform/random.h"
#include "render/draw.h"

namespace kalup::fx {

namespace {
constexpr float BALL_FADE_STEP = 0.01f;
constexpr float BALL_SPIN_STEP = 0.1f;
} // namespace

BallBurstEmitter::BallBurstEmitter(int count, Point2 position, int floorY, Texture texture)
    : count(count), position(position), texture(texture), floorY(floorY)
{
    spawn();
}

void BallBurstEmitter::spawn()
{
    particles.clear();
    for (int i = 0; i < count; ++i) {
        Particle particle{};
        const auto launch = particles::drawLaunch();
        particle.r = particle.g = particle.b = particle.a = 1.0f;
        particles::place(particle, position, launch);
        const float size = static_cast<float>(random::rand() % 27 + 6);
        particle.width = particle.height = size;
        particle.angle = 0.0f;
        particle.alive = true;
        particles.push_back(particle);
    }
}

void BallBurstEmitter::update()
{
    for (Particle& particle : particles) {
        particles::advance(particle);
        if (particles::outOfPlay(particle))
            particle.alive = false;
        particles::fade(particle, BALL_FADE_STEP);
        // Every position step is taken twice per update.
        particles::advance(particle);
        // Below the floor line the kick cancels gravity and, about every
        // other update, pushes up by 1: the balls jostle on the floor.
        if (particle.y > static_cast<float>(floorY))
            particle.vy -= static_cast<float>(random::rand() % 200 / 100) + gravity;
        particle.vy += gravity;
        particle.angle += BALL_SPIN_STEP;
    }
}

int BallBurstEmitter::render()
{
    draw::useBlend(draw::Blend::Alpha);
    return particles::drawLive(particles, texture, true);
}

} // namespace kalup::fx
