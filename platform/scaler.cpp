#include "platform/scaler.h"

#include <GLFW/glfw3.h>
#include <GL/glext.h>

#include "platform/logical_screen.h"

namespace kalup::scaler {

namespace {

using logical::WIDTH;
using logical::HEIGHT;

// Framebuffer objects are GL 3 (or ARB_framebuffer_object): looked up at run time.
PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;

GLuint framebuffer = 0;
GLuint colourBuffer = 0;

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
        && load(bindFramebuffer, "glBindFramebuffer")
        && load(framebufferRenderbuffer, "glFramebufferRenderbuffer")
        && load(checkFramebufferStatus, "glCheckFramebufferStatus")
        && load(genRenderbuffers, "glGenRenderbuffers") && load(deleteRenderbuffers, "glDeleteRenderbuffers")
        && load(bindRenderbuffer, "glBindRenderbuffer") && load(renderbufferStorage, "glRenderbufferStorage")
        && load(blitFramebuffer, "glBlitFramebuffer");
}

// Earlier errors of the context must not be taken for the target's.
void discardGlErrors()
{
    while (glGetError() != GL_NO_ERROR)
        continue;
}

bool attachColourBuffer(GLenum format)
{
    bindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
    renderbufferStorage(GL_RENDERBUFFER, format, WIDTH, HEIGHT);
    framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
    return glGetError() == GL_NO_ERROR && checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
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
    genFramebuffers(1, &framebuffer);
    genRenderbuffers(1, &colourBuffer);
    bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    // Without 5/6/5 support a 16-bit game simply gets full colour.
    const bool complete = (colorDepth == 16 && attachColourBuffer(GL_RGB565)) || attachColourBuffer(GL_RGBA8);
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

void showTarget(int framebufferWidth, int framebufferHeight)
{
    if (!targetActive())
        return;
    const Area area = fitLogicalScreen(framebufferWidth, framebufferHeight);
    bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    blitFramebuffer(0, 0, WIDTH, HEIGHT, area.x, area.y, area.x + area.width, area.y + area.height,
        GL_COLOR_BUFFER_BIT, GL_LINEAR);
}

void destroyTarget()
{
    if (framebuffer != 0) {
        bindFramebuffer(GL_FRAMEBUFFER, 0);
        deleteFramebuffers(1, &framebuffer);
    }
    if (colourBuffer != 0)
        deleteRenderbuffers(1, &colourBuffer);
    framebuffer = 0;
    colourBuffer = 0;
}

} // namespace kalup::scaler
