#include "fx/particles.h"

#include <cmath>

#include "platform/logical_screen.h"
#include "platform/random.h"
#include "render/quad_batch.h"

namespace kalup::fx::particles {

Launch drawLaunch()
{
    Launch launch;
    launch.angle = random::rand() % 360;
    launch.speed = random::rand() % 4 + 2;
    return launch;
}

void place(Particle& particle, Point2 centre, Launch launch)
{
    const int dy = random::rand() % 9 - 4;
    const int dx = random::rand() % 9 - 4;
    particle.x = centre.x + static_cast<float>(dx);
    particle.y = centre.y + static_cast<float>(dy);
    const float angle = static_cast<float>(launch.angle);
    particle.vx = std::cos(angle) * static_cast<float>(launch.speed);
    particle.vy = std::sin(angle) * static_cast<float>(launch.speed);
}

bool outOfPlay(const Particle& particle)
{
    constexpr float margin = 64.0f;
    return particle.x > logical::WIDTH + margin || particle.y > logical::HEIGHT + margin || particle.x < -margin
        || particle.y < -margin || !(particle.a > 0.0f);
}

void fade(Particle& particle, float step)
{
    particle.r -= step;
    particle.g -= step;
    particle.b -= step;
    particle.a -= step;
}

void advance(Particle& particle)
{
    particle.x += particle.vx;
    particle.y += particle.vy;
}

int drawLive(const std::vector<Particle>& particles, Texture texture, bool spin)
{
    static draw::QuadBatch batch;
    int drawn = 0;
    for (const Particle& particle : particles) {
        if (!particle.alive)
            continue;
        batch.add(texture, particle.x, particle.y, particle.width / 2.0f, particle.height / 2.0f,
            spin ? particle.angle : 0.0f, draw::WHOLE_TEXTURE, {particle.r, particle.g, particle.b, particle.a});
        ++drawn;
    }
    batch.draw();
    return drawn;
}

} // namespace kalup::fx::particles
