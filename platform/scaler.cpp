#include "platform/scaler.h"

#include <GLFW/glfw3.h>
#include <GL/glext.h>

#include <algorithm>

#include "platform/logical_screen.h"

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
// The logical screen magnified by a whole number, each logical pixel a
// square of like pixels, read with linear filtering.
GLuint magnifiedFramebuffer = 0;
GLuint magnifiedTexture = 0;
int magnification = 0;
GLint targetFormat = GL_RGBA8;

bool targetActive() { return framebuffer != 0; }

template <typename Function>
bool load(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(glfwGetProcAddress(name));
    return function != nullptr;
}

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

bool attachColourTexture(GLuint texture, GLint format, int width, int height)
{
    glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    return glGetError() == GL_NO_ERROR && checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// Left bound.
GLuint createTexture(GLint filter)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    return texture;
}

void destroyMagnified()
{
    if (magnifiedFramebuffer != 0)
        deleteFramebuffers(1, &magnifiedFramebuffer);
    if (magnifiedTexture != 0)
        glDeleteTextures(1, &magnifiedTexture);
    magnifiedFramebuffer = 0;
    magnifiedTexture = 0;
    magnification = 0;
}

// The smallest whole number that magnifies the logical screen to at least
// the area: the linear pass from there down to the area moves no edge by more
// than a window pixel and blends only the pixels across an edge.
int wholeMagnification(int areaWidth) { return std::max(1, (areaWidth + WIDTH - 1) / WIDTH); }

// The magnified screen for the given whole number, made when it changes;
// false (and none) when the driver cannot make it.
bool prepareMagnified(int times)
{
    if (magnification == times)
        return true;
    destroyMagnified();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    discardGlErrors();
    genFramebuffers(1, &magnifiedFramebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, magnifiedFramebuffer);
    magnifiedTexture = createTexture(GL_LINEAR);
    const bool complete = attachColourTexture(magnifiedTexture, targetFormat, WIDTH * times, HEIGHT * times);
    glBindTexture(GL_TEXTURE_2D, bound);
    if (!complete) {
        destroyMagnified();
        return false;
    }
    magnification = times;
    return true;
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

// One quad over the whole viewport with the texture, replacing what is there.
void drawWhole(GLuint texture)
{
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
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
    colourTexture = createTexture(GL_NEAREST);
    // Without 5/6/5 support a 16-bit game simply gets full colour.
    targetFormat = GL_RGBA8;
    if (colorDepth == 16 && attachColourTexture(colourTexture, GL_RGB565, WIDTH, HEIGHT))
        targetFormat = GL_RGB565;
    const bool complete = targetFormat == GL_RGB565 || attachColourTexture(colourTexture, GL_RGBA8, WIDTH, HEIGHT);
    glBindTexture(GL_TEXTURE_2D, bound);
    if (!complete) {
        destroyTarget();
        return false;
    }
    return true;
}

void bindTarget()
{
    if (targetActive())
        bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void showTarget(int framebufferWidth, int framebufferHeight, unsigned destination)
{
    if (!targetActive())
        return;
    const Area area = fitLogicalScreen(framebufferWidth, framebufferHeight);
    // Whatever the copy sets is the game's again afterwards, the matrices too:
    // the survival backdrop is drawn with the projection a frame leaves.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    const int times = wholeMagnification(area.width);
    GLuint shown = colourTexture;
    if (times * WIDTH != area.width && prepareMagnified(times)) {
        bindFramebuffer(GL_FRAMEBUFFER, magnifiedFramebuffer);
        glViewport(0, 0, WIDTH * times, HEIGHT * times);
        drawWhole(colourTexture);
        shown = magnifiedTexture;
    }
    bindFramebuffer(GL_FRAMEBUFFER, destination);
    clearBars(area, framebufferWidth, framebufferHeight);
    glViewport(area.x, area.y, area.width, area.height);
    drawWhole(shown);
    glPopAttrib();
}

void destroyTarget()
{
    destroyMagnified();
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
