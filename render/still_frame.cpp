#include "render/still_frame.h"

#include <GL/gl.h>

#include "platform/logical_screen.h"
#include "render/draw.h"

namespace kalup::still_frame {

namespace {
GLuint still = 0;
} // namespace

void captureFrame()
{
    if (still == 0)
        glGenTextures(1, &still);
    glBindTexture(GL_TEXTURE_2D, still);
    // Shown 1:1 on the logical screen: no filtering, no mipmaps.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 0, 0, logical::WIDTH, logical::HEIGHT, 0);
}

void drawStillFrame(float brightness)
{
    if (still == 0)
        return;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, still);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(logical::WIDTH / 2.0f, logical::HEIGHT / 2.0f, 0.0f);
    glColor4f(brightness, brightness, brightness, 1.0f);
    // The copy's first row is the screen's bottom one.
    draw::emitQuad(logical::WIDTH / 2.0f, logical::HEIGHT / 2.0f, 0.0f, 1.0f, 1.0f, 0.0f);
}

void releaseStillFrame()
{
    if (still != 0)
        glDeleteTextures(1, &still);
    still = 0;
}

} // namespace kalup::still_frame
