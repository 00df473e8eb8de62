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

// One corner of a sprite, laid out for GL_T2F_C3F_V3F.
struct SpriteVertex {
    float s, t;
    float r, g, b;
    float x, y, z;
};

// Built with the counts of the current preset.
class SwirlCloud {
public:
    SwirlCloud();
    ~SwirlCloud();
    SwirlCloud(const SwirlCloud&) = delete;
    SwirlCloud& operator=(const SwirlCloud&) = delete;

    // Moves the stars and the trail by one frame.
    void step();
    // Every trail point's sprite, in one draw call.
    void draw() const;

    int stars;
    int trail;
    StarPoint* starPoints;
    TrailPoint* trailPoints;
    int cursor;
    float coeff[9];
    float phase[9];
    float rate[9];

private:
    SpriteVertex* vertices;
    unsigned* indices;
};

extern SwirlCloud* cloudArray;
extern int cloudCount;

// The sprite every cloud draws, rebuilt at each round start: the gradient
// texture and the half-size of its square.
extern unsigned spriteTexture;
extern float spriteHalfSize;

// A new round's backdrop comes in two halves, for a round dealt in the
// middle of a frame whose drawing comes after its rules. The choice, when
// the round starts: it re-seeds the game's random numbers from the clock,
// picks the preset and builds the clouds, touching no GL state. The canvas,
// where the frame's drawing reaches that moment: the screen cleared, additive
// blending and the sprite texture.
void chooseBackground();
void prepareBackgroundCanvas();
// Both with a given preset (0..9) and no re-seeding; presets 7..9 draw their
// random counts from the game's random numbers.
void buildBackground(int index);
void drawBackground();
// Moves the clouds on by one frame as drawBackground does, drawing nothing:
// for a screen that hides them.
void stepBackground();
void deleteClouds();
// At shutdown, with the GL context still current: the clouds and the sprite texture.
void releaseBackground();

// The sprite's radial gradient, 255 at the centre texel (32, 32) down to 0
// at 32 texels from it.
unsigned char gradientTexel(int column, int row);

} // namespace kalup::background
