#include "render/background.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "platform/random.h"

namespace kalup::background {

namespace {

constexpr float TWO_PI = 6.2831855f;

// Stars live in a box 60 wide and high and 30 deep around z = 0.
float randomSide() { return static_cast<float>(random::rand() * 0.0018311106 - 30); }
float randomDepth() { return static_cast<float>(random::rand() * 0.0009155553 - 15); }

float glow(float moved, float gain) { return std::min(std::fabs(moved * gain), 1.0f); }

// The corners of a sprite in the order of a triangle strip over its square,
// and the two triangles that strip makes.
constexpr float cornerS[4] = {0, 1, 0, 1};
constexpr float cornerT[4] = {0, 0, 1, 1};
constexpr unsigned stripTriangles[6] = {0, 1, 2, 2, 1, 3};

} // namespace

SwirlCloud::SwirlCloud()
    : stars(preset.stars), trail(preset.trail), starPoints(new StarPoint[preset.stars]),
      trailPoints(new TrailPoint[preset.trail]), cursor(0), coeff{}, phase{}, rate{},
      vertices(new SpriteVertex[4 * preset.trail]), indices(new unsigned[6 * preset.trail])
{
    for (int i = 0; i < stars; ++i) {
        StarPoint& star = starPoints[i];
        star.x = randomSide();
        star.y = randomSide();
        star.z = randomDepth();
    }
    // Unstamped trail points wait far behind the eye, out of sight.
    for (int i = 0; i < trail; ++i)
        trailPoints[i] = {0, 0, 100, 0, 0, 0};
    const double spinSquared = static_cast<double>(preset.spin) * preset.spin;
    for (int k = 0; k < 9; ++k) {
        phase[k] = static_cast<float>(random::rand() * 0.00019175345);
        rate[k] = static_cast<float>(random::rand() * (spinSquared * 1.5259254e-9) + spinSquared * 0.00001);
    }
    for (int i = 0; i < trail; ++i) {
        for (int corner = 0; corner < 4; ++corner) {
            vertices[4 * i + corner].s = cornerS[corner];
            vertices[4 * i + corner].t = cornerT[corner];
        }
        for (int k = 0; k < 6; ++k)
            indices[6 * i + k] = 4 * i + stripTriangles[k];
    }
}

SwirlCloud::~SwirlCloud()
{
    delete[] starPoints;
    delete[] trailPoints;
    delete[] vertices;
    delete[] indices;
}

void SwirlCloud::step()
{
    for (int k = 0; k < 9; ++k) {
        phase[k] += rate[k];
        if (phase[k] > TWO_PI)
            phase[k] -= TWO_PI;
        coeff[k] = std::cos(phase[k]);
    }
    // Every frame the newest slots of the trail are restamped with the stars;
    // older stamps keep drifting in the field.
    const float starStep = preset.speed * 0.01f;
    for (int i = 0; i < stars; ++i) {
        StarPoint& star = starPoints[i];
        star.z += starStep;
        if (star.z > 15) {
            star.x = randomSide();
            star.y = randomSide();
            star.z = -15;
        }
        TrailPoint& stamp = trailPoints[cursor];
        stamp.x = star.x;
        stamp.y = star.y;
        stamp.z = star.z;
        if (++cursor >= trail)
            cursor = 0;
    }
    const float gain = 9.0f / preset.flow;
    coeff[6] *= gain;
    coeff[7] *= gain;
    coeff[8] *= gain;
    // A point glows by how far the field moved it this frame.
    const float flowStep = preset.flow * 0.01f;
    for (int i = 0; i < trail; ++i) {
        TrailPoint& p = trailPoints[i];
        const float x = p.x + (p.z * coeff[1] + p.y * coeff[0]) * flowStep;
        const float y = p.y + (p.z * coeff[2] + p.x * coeff[3]) * flowStep;
        const float z = p.z + (p.y * coeff[5] + p.x * coeff[4]) * flowStep;
        p.r = glow(x - p.x, coeff[6]);
        p.g = glow(y - p.y, coeff[7]);
        p.b = glow(z - p.z, coeff[8]);
        p.x = x;
        p.y = y;
        p.z = z;
    }
}

// One square per trail point, in trail order, tinted by the point's colour.
void SwirlCloud::draw() const
{
    const float s = spriteHalfSize;
    for (int i = 0; i < trail; ++i) {
        const TrailPoint& p = trailPoints[i];
        for (int corner = 0; corner < 4; ++corner) {
            SpriteVertex& v = vertices[4 * i + corner];
            v.r = p.r;
            v.g = p.g;
            v.b = p.b;
            v.x = p.x + (cornerS[corner] == 0 ? -s : s);
            v.y = p.y + (cornerT[corner] == 0 ? -s : s);
            v.z = p.z;
        }
    }
    glBindTexture(GL_TEXTURE_2D, spriteTexture);
    glInterleavedArrays(GL_T2F_C3F_V3F, 0, vertices);
    glDrawElements(GL_TRIANGLES, 6 * trail, GL_UNSIGNED_INT, indices);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace kalup::background
