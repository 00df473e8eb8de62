#pragma once
// The swirling 3D background behind the board in the classic and
// remove-two modes: one of ten presets per round.

namespace kalup::background {

struct Preset {
    int clouds;
    int stars;
    int trail;
    int size;
    int spin;
    int speed;
    int flow;
    int shade;
};

// The current round's parameters; all zero before the first round.
extern Preset preset;
// Index of the current preset, 0..9.
extern int presetIndex;

struct StarPoint {
    float x, y, z;
};

struct TrailPoint {
    float x, y, z;
    float r, g, b;
};

class SwirlCloud {
public:
    SwirlCloud();
    ~SwirlCloud();
    SwirlCloud(const SwirlCloud&) = delete;
    SwirlCloud& operator=(const SwirlCloud&) = delete;

    // Moves the stars and the trail by one frame.
    void step();
    void draw() const;

    StarPoint* starPoints;
    TrailPoint* trailPoints;
    int cursor;
    float coeff[9];
    float phase[9];
    float rate[9];
};

extern SwirlCloud* cloudArray;
extern int cloudCount;

// Re-seeds the game's random numbers from the clock, picks the preset and
// builds the clouds, the sprite texture and the sprite.
void generateBackground();
void drawBackground();
void deleteClouds();

} // namespace kalup::background
