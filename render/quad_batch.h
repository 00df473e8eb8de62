#pragma once
// Quads gathered on the processor and drawn as one vertex array per run of
// one texture. A software renderer pays for every draw call: a burst's
// particles or the board's pieces then cost one call where they cost one
// each. The quads keep their order, so where they overlap they blend as they
// would drawn one by one, and each keeps the corner order of draw::emitQuad.
#include <cstddef>
#include <vector>

#include "render/textures.h"

namespace kalup::draw {

struct QuadColour {
    float r, g, b, a;
};

// The texture rectangle a quad shows, corners (s0, t0) to (s1, t1).
struct TextureRect {
    float s0, t0, s1, t1;
};

inline constexpr TextureRect WHOLE_TEXTURE{0.0f, 0.0f, 1.0f, 1.0f};

// Frame 0..15 of a 256 x 256 sprite sheet of 64 x 64 frames, counted along
// the rows.
TextureRect sheetFrame(int frame);

class QuadBatch {
public:
    // A quad of half-size halfW x halfH centred at (x, y), turned by angle
    // degrees about its centre, as the modelview translation and rotation
    // of the one-by-one drawing would place it.
    void add(textures::Texture texture, float x, float y, float halfW, float halfH, float angle, TextureRect rect,
        QuadColour colour);
    // Draws and forgets what was added, with the blend function in force.
    // Leaves the identity modelview, and the last quad's texture bound and
    // colour current, as drawing the quads one by one would.
    void draw();

private:
    struct Vertex {
        float s, t;
        float r, g, b, a;
        float x, y;
    };
    struct Run {
        textures::Texture texture;
        std::size_t first;
    };
    std::vector<Vertex> vertices;
    std::vector<Run> runs;
};

} // namespace kalup::draw
