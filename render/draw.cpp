#include "render/draw.h"

#include <cmath>

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/logical_screen.h"
#include "platform/seam.h"
#include "render/quad_batch.h"

namespace kalup::draw {

float pulsePhase = 0.0f;
float tileScroll = 0.0f;
double tileScrollTime = 0.0;

namespace {

void viewportSize(GLint& width, GLint& height)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    width = viewport[2];
    height = viewport[3];
}

void placeAt(float x, float y)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(x, y, 0.0f);
}

} // namespace

void emitQuad(float halfW, float halfH, float s0, float t0, float s1, float t1)
{
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(-halfW, -halfH);
    glTexCoord2f(s1, t0);
    glVertex2f(halfW, -halfH);
    glTexCoord2f(s1, t1);
    glVertex2f(halfW, halfH);
    glTexCoord2f(s0, t1);
    glVertex2f(-halfW, halfH);
    glEnd();
}

void drawSquareBand(float x, float y, float inner, float outer)
{
    placeAt(x, y);
    glDisable(GL_TEXTURE_2D);
    // Four bars, each reaching into the corners on one side.
    glBegin(GL_QUADS);
    const float bars[4][4] = {
        {-outer, -outer, outer, -inner},
        {-outer, inner, outer, outer},
        {-outer, -inner, -inner, inner},
        {inner, -inner, outer, inner},
    };
    for (const auto& bar : bars) {
        glVertex2f(bar[0], bar[1]);
        glVertex2f(bar[2], bar[1]);
        glVertex2f(bar[2], bar[3]);
        glVertex2f(bar[0], bar[3]);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

void useBlend(Blend blend)
{
    glEnable(GL_BLEND);
    switch (blend) {
    case Blend::Alpha: glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
    case Blend::Add: glBlendFunc(GL_ONE, GL_ONE); break;
    case Blend::Glow: glBlendFunc(GL_SRC_ALPHA, GL_ONE); break;
    }
}

void beginScreen2D()
{
    useBlend(Blend::Alpha);
    GLint width, height;
    viewportSize(width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // The menu draws textured quads before any round has switched texturing
    // on, so the 2D screen always has it on.
    glEnable(GL_TEXTURE_2D);
}

void beginText2D()
{
    GLint width, height;
    viewportSize(width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void beginScene3D()
{
    glViewport(0, 0, logical::WIDTH, logical::HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 4.0 / 3.0, 1.0, 1000.0);
    // The eye sits 15 units in front of the plane z = 0.
    glTranslatef(0.0f, 0.0f, -15.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    useBlend(Blend::Add);
    glEnable(GL_TEXTURE_2D);
}

void drawSprite(Texture texture, float x, float y, float w, float h, float angle, float alpha)
{
    useBlend(Blend::Alpha);
    glBindTexture(GL_TEXTURE_2D, texture);
    placeAt(x, y);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    if (angle != 0.0f)
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    emitQuad(w / 2, h / 2, 0.0f, 0.0f, 1.0f, 1.0f);
}

void drawSheetFrame(Texture texture, float x, float y, float w, float h, int frame, float angle, float alpha)
{
    // Keeps the caller's blend function: ghosts and pieces share it.
    glBindTexture(GL_TEXTURE_2D, texture);
    placeAt(x, y);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    if (angle != 0.0f)
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
    const TextureRect rect = sheetFrame(frame);
    emitQuad(w / 2, h / 2, rect.s0, rect.t0, rect.s1, rect.t1);
}

void drawPulsingQuad(Texture texture, float x, float y, float w, float h)
{
    useBlend(Blend::Alpha);
    glBindTexture(GL_TEXTURE_2D, texture);
    placeAt(x, y);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    stepPulse();
    // The overhang breathes between 90 and 110 units on every side.
    const float margin = 10.0f * std::sin(pulsePhase) + 100.0f;
    glNormal3f(0.0f, 0.0f, 1.0f);
    // The backdrop is opaque: blending would give the same pixels, and costs
    // a software renderer a read of every pixel under it.
    glDisable(GL_BLEND);
    emitQuad(w / 2 + margin, h / 2 + margin, 0.0f, 0.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
}

void stepPulse() { pulsePhase += 0.01f; }

void stepTileScroll()
{
    // At most one drift step per call and per hundredth of a second.
    const double t = seam::now();
    if (t > tileScrollTime + 0.01) {
        tileScroll += 0.001f;
        tileScrollTime = t;
    }
}

void drawScrollingTiles(Texture texture, float tileSize)
{
    useBlend(Blend::Alpha);
    glColor4f(1.0f, 1.0f, 1.0f, 0.2f);
    stepTileScroll();
    glBindTexture(GL_TEXTURE_2D, texture);
    const float half = tileSize / 2;
    const float start = std::trunc(-4 * half);
    const float limitX = 4 * half + logical::WIDTH;
    const float limitY = 4 * half + logical::HEIGHT;
    const float s = tileScroll;
    for (float y = start; y < limitY; y = std::trunc(y + tileSize)) {
        for (float x = start; x < limitX; x = std::trunc(x + tileSize)) {
            placeAt(x, y);
            emitQuad(half, half, -s, -s, 1.0f - s, 1.0f - s);
        }
    }
}

void drawSquare(float x, float y, float size)
{
    placeAt(x, y);
    emitQuad(size / 2, size / 2, 0.0f, 0.0f, 1.0f, 1.0f);
}

} // namespace kalup::draw
