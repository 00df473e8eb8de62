#include "platform/scaler.h"

#include <GLFW/glfw3.h>
#include <GL/glext.h>

#include "platform/gl_functions.h"
#include "platform/logical_screen.h"
#include "platform/sharp_filter.h"

namespace kalup::scaler {

namespace {

using logical::WIDTH;
using logical::HEIGHT;

// Framebuffer objects are GL 3 (or ARB_framebuffer_object): looked up at run time.
PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

GLuint framebuffer = 0;
// The logical screen's pixels, drawn into through the framebuffer and read
// as a texture when the frame is shown.
GLuint colourTexture = 0;

using gl_functions::load;

bool loadFunctions()
{
    return load(genFramebuffers, "glGenFramebuffers") && load(deleteFramebuffers, "glDeleteFramebuffers")
        && load(bindFramebuffer, "glBindFramebuffer") && load(framebufferTexture2D, "glFramebufferTexture2D")
        && load(checkFramebufferStatus, "glCheckFramebufferStatus");
}

// Earlier errors of the context must not be taken for the target's.
void discardGlErrors()
{
    while (glGetError() != GL_NO_ERROR)
        continue;
}

bool attachColourTexture(GLint format)
{
    glTexImage2D(GL_TEXTURE_2D, 0, format, WIDTH, HEIGHT, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colourTexture, 0);
    return glGetError() == GL_NO_ERROR && checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Left bound. Read linearly through the sharp filter; without one, nearest
// sampling at least keeps the picture sharp.
void createColourTexture()
{
    const GLint filter = sharp_filter::create() ? GL_LINEAR : GL_NEAREST;
    glGenTextures(1, &colourTexture);
    glBindTexture(GL_TEXTURE_2D, colourTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
}

// Clearing only the black bars around the area spares a software renderer a
// pass over the whole window: the logical screen covers the rest.
void clearBars(Area area, int width, int height)
{
    const Area bars[4] = {{0, 0, area.x, height}, {area.x + area.width, 0, width - area.x - area.width, height},
        {0, 0, width, area.y}, {0, area.y + area.height, width, height - area.y - area.height}};
    glClearColor(0, 0, 0, 1);
    glEnable(GL_SCISSOR_TEST);
    for (const Area& bar : bars)
        if (bar.width > 0 && bar.height > 0) {
            glScissor(bar.x, bar.y, bar.width, bar.height);
            glClear(GL_COLOR_BUFFER_BIT);
        }
    glDisable(GL_SCISSOR_TEST);
}

// One quad over the whole viewport with the logical screen's texture,
// replacing what is there.
void drawLogicalScreen()
{
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, colourTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}

} // namespace

Area fitLogicalScreen(int windowWidth, int windowHeight)
{
    Area area{0, 0, windowWidth, windowHeight};
    if (windowWidth * HEIGHT > windowHeight * WIDTH)
        area.width = windowHeight * WIDTH / HEIGHT;
    else
        area.height = windowWidth * HEIGHT / WIDTH;
    area.x = (windowWidth - area.width) / 2;
    area.y = (windowHeight - area.height) / 2;
    return area;
}

double windowUnitsPerLogical(int windowWidth, int windowHeight)
{
    return static_cast<double>(fitLogicalScreen(windowWidth, windowHeight).width) / WIDTH;
}

double toLogical(double windowPosition, double unitsPerLogical) { return windowPosition / unitsPerLogical; }

double toWindow(double logicalPosition, double unitsPerLogical) { return logicalPosition * unitsPerLogical; }

bool createTarget(int colorDepth)
{
    if (!loadFunctions())
        return false;
    discardGlErrors();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    genFramebuffers(1, &framebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    createColourTexture();
    // Without 5/6/5 support a 16-bit game simply gets full colour.
    const bool complete = (colorDepth == 16 && attachColourTexture(GL_RGB565)) || attachColourTexture(GL_RGBA8);
    glBindTexture(GL_TEXTURE_2D, bound);
    if (!complete) {
        destroyTarget();
        return false;
    }
    return true;
}

bool hasTarget() { return framebuffer != 0; }

void bindTarget()
{
    if (hasTarget())
        bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void showTarget(int framebufferWidth, int framebufferHeight, unsigned destination)
{
    if (!hasTarget())
        return;
    const Area area = fitLogicalScreen(framebufferWidth, framebufferHeight);
    bindFramebuffer(GL_FRAMEBUFFER, destination);
    // Whatever the copy sets is the game's again afterwards, the matrices too.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    clearBars(area, framebufferWidth, framebufferHeight);
    glViewport(area.x, area.y, area.width, area.height);
    sharp_filter::use(WIDTH, HEIGHT, area.width, area.height);
    drawLogicalScreen();
    sharp_filter::stop();
    glPopAttrib();
}

void destroyTarget()
{
    sharp_filter::destroy();
    if (framebuffer != 0) {
        bindFramebuffer(GL_FRAMEBUFFER, 0);
        deleteFramebuffers(1, &framebuffer);
    }
    if (colourTexture != 0)
        glDeleteTextures(1, &colourTexture);
    framebuffer = 0;
    colourTexture = 0;
}

} // namespace kalup::scaler
