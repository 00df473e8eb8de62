#include "render/background.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "platform/random.h"
#include "platform/seam.h"

namespace kalup::background {

Preset preset{};
int presetIndex = 0;
SwirlCloud* cloudArray = nullptr;
int cloudCount = 0;
unsigned spriteTexture = 0;
float spriteHalfSize = 0.0f;

namespace {

constexpr int GRADIENT_SIZE = 64;

// Presets 0..6; 7..9 are drawn at random by randomPreset.
constexpr Preset fixedPresets[7] = {
    {1, 300, 3000, 45, 3, 5, 15, 170},
    {1, 30, 2000, 50, 20, 15, 10, 40},
    {1, 50, 3000, 20, 10, 10, 10, 10},
    {1, 300, 3000, 5, 20, 10, 15, 70},
    {2, 400, 1600, 15, 20, 15, 10, 0},
    {1, 40, 1200, 20, 10, 20, 4, 50},
    {1, 400, 1200, 40, 20, 1, 10, 50},
};

Preset randomPreset()
{
    Preset p{1, 0, 0, 0, 20, 1, 10, 50};
    p.stars = 30 + random::rand() % 10;
    p.trail = 30 + random::rand() % 60;
    p.size = 30 + random::rand() % 10;
    return p;
}

void uploadGradient()
{
    unsigned char texels[GRADIENT_SIZE * GRADIENT_SIZE];
    for (int row = 0; row < GRADIENT_SIZE; ++row)
        for (int column = 0; column < GRADIENT_SIZE; ++column)
            texels[row * GRADIENT_SIZE + column] = gradientTexel(column, row);
    if (spriteTexture == 0)
        glGenTextures(1, &spriteTexture);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, spriteTexture);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 1, GRADIENT_SIZE, GRADIENT_SIZE, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                 texels);
}

void choosePreset(int index)
{
    deleteClouds();
    presetIndex = index;
    preset = index < 7 ? fixedPresets[index] : randomPreset();
    spriteHalfSize = preset.size * 0.02f;
    cloudArray = new SwirlCloud[preset.clouds];
    cloudCount = preset.clouds;
}

} // namespace

unsigned char gradientTexel(int column, int row)
{
    const double dx = (column - 32) / 32.0;
    const double dy = (row - 32) / 32.0;
    const double v = std::clamp(1.0 - std::sqrt(dx * dx + dy * dy), 0.0, 1.0);
    return static_cast<unsigned char>(255 * v);
}

void chooseBackground()
{
    // The same second gives the same background, and the same deal after it:
    // this seeding also restarts the random numbers of the round.
    random::seed(static_cast<unsigned>(seam::wallClockSeconds()));
    for (int i = 0; i < 5; ++i)
        random::rand();
    choosePreset(random::rand() % 10);
}

void buildBackground(int index)
{
    choosePreset(index);
    prepareBackgroundCanvas();
}

void prepareBackgroundCanvas()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    uploadGradient();
    glFlush();
}

// The frame is cleared to black just before: a preset's black veil over it
// would change no pixel, so none is drawn. The clouds need texturing on.
void drawBackground()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < cloudCount; ++i) {
        cloudArray[i].step();
        cloudArray[i].draw();
    }
}

void stepBackground()
{
    for (int i = 0; i < cloudCount; ++i)
        cloudArray[i].step();
}

void deleteClouds()
{
    delete[] cloudArray;
    cloudArray = nullptr;
    cloudCount = 0;
}

void releaseBackground()
{
    deleteClouds();
    if (spriteTexture != 0)
        glDeleteTextures(1, &spriteTexture);
    spriteTexture = 0;
}

} // namespace kalup::background
