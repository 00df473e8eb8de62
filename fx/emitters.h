#pragma once
// Particle bursts: removed pieces burst into balls, blasts into stars.
#include <list>
#include <vector>
#include "render/textures.h"

namespace kalup::fx {

using textures::Texture;

struct Particle {
    float x, y;
    float vx, vy;
    float r, g, b, a;
    float width, height;
    bool alive;
    float angle;
};

struct Point2 {
    float x, y;
};

class ParticleEmitter {
public:
    virtual ~ParticleEmitter() = default;
    // Draws the live particles; returns how many it drew.
    virtual int render() = 0;
    virtual void spawn() = 0;
    virtual void update() = 0;
};

class BallBurstEmitter : public ParticleEmitter {
public:
    BallBurstEmitter(int count, Point2 position, int floorY, Texture texture);
    int render() override;
    void spawn() override;
    void update() override;

    int count;
    Point2 position;
    std::vector<Particle> particles;
    Texture texture;
    float gravity = 0.1f;
    int floorY;
};

class StarBurstEmitter : public ParticleEmitter {
public:
    StarBurstEmitter(int count, Point2 position, Texture texture);
    int render() override;
    void spawn() override;
    void update() override;

    int count;
    Point2 position;
    std::vector<Particle> particles;
    Texture texture;
    float gravity = 0.2f;
};

// Every running burst, in creation order; owns them.
extern std::list<ParticleEmitter*> liveEmitters;

// Updates and draws every burst, dropping those that drew nothing.
// Returns the number of particles drawn.
int runEmitters();
// Deletes every burst still running, as the game does at shutdown.
void releaseEmitters();

} // namespace kalup::fx
