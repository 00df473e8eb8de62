#pragma once
// Steps shared by both kinds of burst.
#include "fx/emitters.h"

namespace kalup::fx::particles {

// The first two draws of a particle: direction and speed. The direction is
// an integer 0..359 taken as radians, which spreads directions irregularly.
struct Launch {
    int angle;
    int speed;
};
Launch drawLaunch();

// The next two draws (a jitter of -4..4 on y, then x) place the particle
// near the centre; it leaves in the direction of its launch.
void place(Particle& particle, Point2 centre, Launch launch);

// The screen widened by 64 on every side; the opacity tested is the one
// before this update's fade.
bool outOfPlay(const Particle& particle);
void fade(Particle& particle, float step);
void advance(Particle& particle);

// Draws the live particles with the texture, each turned by its angle when
// spin is set; returns how many it drew.
int drawLive(const std::vector<Particle>& particles, Texture texture, bool spin);

} // namespace kalup::fx::particles
