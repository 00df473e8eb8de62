#include "fx/emitters.h"

#include "fx/particles.h"
#include "platform/random.h"
#include "render/draw.h"

namespace kalup::fx {

namespace {
constexpr float STAR_FADE_STEP = 0.005f;
} // namespace

StarBurstEmitter::StarBurstEmitter(int count, Point2 position, Texture texture)
    : count(count), position(position), texture(texture)
{
    spawn();
}

void StarBurstEmitter::spawn()
{
    particles.clear();
    for (int i = 0; i < count; ++i) {
        Particle particle{};
        const auto launch = particles::drawLaunch();
        // Yellow and red stars mixed.
        particle.r = 1.0f;
        particle.g = random::rand() % 2 != 0 ? 1.0f : 0.0f;
        particle.b = 0.0f;
        particle.a = 1.0f;
        particles::place(particle, position, launch);
        const float size = static_cast<float>(random::rand() % 41 + 60);
        particle.width = particle.height = size;
        particle.alive = true;
        particles.push_back(particle);
    }
}

void StarBurstEmitter::update()
{
    for (Particle& particle : particles) {
        particles::advance(particle);
        if (particles::outOfPlay(particle))
            particle.alive = false;
        particles::fade(particle, STAR_FADE_STEP);
        particles::advance(particle);
        particle.vy += gravity;
    }
}

int StarBurstEmitter::render()
{
    // Stars glow.
    draw::useBlend(draw::Blend::Glow);
    return particles::drawLive(particles, texture, false);
}

} // namespace kalup::fx
