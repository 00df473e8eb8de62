#include "platform/display.h"

#include <ctime>
#include <vector>

#include <FL/Fl_PNG_Image.H>
#include <GLFW/glfw3.h>

#include "platform/logical_screen.h"
#include "platform/quit_signals.h"
#include "platform/scaler.h"

namespace kalup::display {

namespace {

constexpr const char* ICON_PATH = "images/icon.png";
constexpr int WINDOWED_REFRESH_RATE = 85;
// The pacing sleeps until this long before the deadline and spins the rest:
// a sleep cannot be timed finely enough to hold 70 frames per second.
constexpr double SPIN_MARGIN = 0.0015;

GLFWwindow* window = nullptr;
// Window units per logical unit, for the pointer.
double pointerScale = 1.0;
// The launcher's colour depth, for a target made when the screen mode switches.
int targetColorDepth = 32;

class GlfwBackend final : public seam::Backend {
public:
    double now() override { return glfwGetTime(); }
    std::int64_t wallClockSeconds() override { return std::time(nullptr); }
    bool keyDown(seam::Key key) override { return keysHeld[static_cast<int>(key)]; }
    bool leftButtonDown() override { return buttonHeld; }
    bool focused() override { return hasFocus; }
    void cursor(double& x, double& y) override;
    void setCursor(double x, double y) override;
    double waitUntil(double deadline) override;
    void present() override;
    void switchScreenMode() override;
    bool closeRequested() override;

    // The held states the game sees for a whole frame.
    void takeSnapshot();
    void forgetSnapshot();

private:
    bool keysHeld[seam::KEY_COUNT] = {};
    bool buttonHeld = false;
    bool hasFocus = false;
};

GlfwBackend backend;

constexpr int glfwKeyOf(seam::Key key)
{
    switch (key) {
    case seam::Key::Escape: return GLFW_KEY_ESCAPE;
    case seam::Key::Space: return GLFW_KEY_SPACE;
    case seam::Key::F10: return GLFW_KEY_F10;
    case seam::Key::F3: return GLFW_KEY_F3;
    case seam::Key::Left: return GLFW_KEY_LEFT;
    case seam::Key::Right: return GLFW_KEY_RIGHT;
    case seam::Key::Up: return GLFW_KEY_UP;
    case seam::Key::Down: return GLFW_KEY_DOWN;
    case seam::Key::Enter: return GLFW_KEY_ENTER;
    case seam::Key::P: return GLFW_KEY_P;
    case seam::Key::M: return GLFW_KEY_M;
    case seam::Key::F11: return GLFW_KEY_F11;
    }
    return GLFW_KEY_UNKNOWN;
}

void GlfwBackend::takeSnapshot()
{
    if (!window) {
        forgetSnapshot();
        return;
    }
    // Sticky keys and buttons report a tap shorter than a frame as held once.
    for (int k = 0; k < seam::KEY_COUNT; ++k)
        keysHeld[k] = glfwGetKey(window, glfwKeyOf(static_cast<seam::Key>(k))) == GLFW_PRESS;
    // The keypad's Enter is Enter too.
    if (glfwGetKey(window, GLFW_KEY_KP_ENTER) == GLFW_PRESS)
        keysHeld[static_cast<int>(seam::Key::Enter)] = true;
    buttonHeld = glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    hasFocus = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
}

void GlfwBackend::forgetSnapshot()
{
    for (bool& held : keysHeld)
        held = false;
    buttonHeld = false;
    // A window that was just opened asked for the focus.
    hasFocus = window != nullptr;
}

void GlfwBackend::cursor(double& x, double& y)
{
    double windowX = 0;
    double windowY = 0;
    if (window)
        glfwGetCursorPos(window, &windowX, &windowY);
    x = scaler::toLogical(windowX, pointerScale);
    y = scaler::toLogical(windowY, pointerScale);
}

void GlfwBackend::setCursor(double x, double y)
{
    if (window)
        glfwSetCursorPos(window, scaler::toWindow(x, pointerScale), scaler::toWindow(y, pointerScale));
}

double GlfwBackend::waitUntil(double deadline)
{
    for (;;) {
        const double reading = glfwGetTime();
        glfwPollEvents();
        if (reading >= deadline) {
            takeSnapshot();
            return reading;
        }
        // An idle menu must not burn a core: sleep (still taking events)
        // until shortly before the deadline, and spin only the rest.
        if (deadline - reading > SPIN_MARGIN)
            glfwWaitEventsTimeout(deadline - reading - SPIN_MARGIN);
    }
}

void GlfwBackend::present()
{
    if (!window)
        return;
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    scaler::showTarget(width, height);
    glfwSwapBuffers(window);
    beginFrame();
}

bool GlfwBackend::closeRequested() { return quit_signals::received() || (window && glfwWindowShouldClose(window)); }

bool hintColourBits(int colorDepth)
{
    int red = 8, green = 8, blue = 8, alpha = 8;
    if (colorDepth == 16) {
        red = 5;
        green = 6;
        blue = 5;
        alpha = 0;
    } else if (colorDepth != 32) {
        return false;
    }
    glfwWindowHint(GLFW_RED_BITS, red);
    glfwWindowHint(GLFW_GREEN_BITS, green);
    glfwWindowHint(GLFW_BLUE_BITS, blue);
    glfwWindowHint(GLFW_ALPHA_BITS, alpha);
    return true;
}

// Full screen takes the monitor exactly as it is (size, colour bits and
// refresh rate), so the video mode is never switched; the logical screen is
// scaled into it instead.
bool hintMonitorMode(GLFWmonitor* monitor, int& width, int& height)
{
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (!mode)
        return false;
    glfwWindowHint(GLFW_RED_BITS, mode->redBits);
    glfwWindowHint(GLFW_GREEN_BITS, mode->greenBits);
    glfwWindowHint(GLFW_BLUE_BITS, mode->blueBits);
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
    glfwWindowHint(GLFW_REFRESH_RATE, mode->refreshRate);
    width = mode->width;
    height = mode->height;
    return true;
}

void setWindowIcon()
{
    Fl_PNG_Image png(ICON_PATH);
    const int channels = png.d();
    if (png.fail() || png.w() <= 0 || png.h() <= 0 || png.count() < 1 || channels < 1 || channels > 4)
        return;
    const int stride = png.ld() ? png.ld() : png.w() * channels;
    const auto* rows = reinterpret_cast<const unsigned char*>(png.data()[0]);
    std::vector<unsigned char> rgba;
    rgba.reserve(static_cast<std::size_t>(png.w()) * png.h() * 4);
    for (int y = 0; y < png.h(); ++y) {
        for (int x = 0; x < png.w(); ++x) {
            const unsigned char* pixel = rows + y * stride + x * channels;
            const bool grey = channels < 3;
            rgba.push_back(pixel[0]);
            rgba.push_back(grey ? pixel[0] : pixel[1]);
            rgba.push_back(grey ? pixel[0] : pixel[2]);
            rgba.push_back(channels == 2 || channels == 4 ? pixel[channels - 1] : 255);
        }
    }
    GLFWimage icon{png.w(), png.h(), rgba.data()};
    glfwSetWindowIcon(window, 1, &icon);
}

// Draw into the logical target from here on; scaled when the window is not 800 x 600.
bool prepareLogicalTarget(int colorDepth, bool alwaysOffscreen)
{
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    if ((alwaysOffscreen || width != logical::WIDTH || height != logical::HEIGHT) && !scaler::createTarget(colorDepth))
        return false;
    glfwGetWindowSize(window, &width, &height);
    pointerScale = scaler::windowUnitsPerLogical(width, height);
    return true;
}

void setInitialGlState()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    beginFrame();
}

// The open window, full screen on the primary monitor as it is or as the
// 800 x 600 window centred on it. The target and the pointer scale follow the
// size asked for, since a window manager may apply it only later. False when
// full screen has no monitor or no target: the window is then left as it was,
// or windowed without a target.
bool showOnMonitor(bool fullscreen)
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode)
        return false;
    scaler::destroyTarget();
    int width = logical::WIDTH;
    int height = logical::HEIGHT;
    if (fullscreen) {
        width = mode->width;
        height = mode->height;
        glfwSetWindowMonitor(window, monitor, 0, 0, width, height, mode->refreshRate);
    } else {
        glfwSetWindowMonitor(window, nullptr, (mode->width - width) / 2, (mode->height - height) / 2, width,
                             height, GLFW_DONT_CARE);
    }
    // Without it a bare X server leaves the focus where it was.
    glfwFocusWindow(window);
    pointerScale = scaler::windowUnitsPerLogical(width, height);
    return !fullscreen || scaler::createTarget(targetColorDepth);
}

void GlfwBackend::switchScreenMode()
{
    if (!window)
        return;
    double x = 0;
    double y = 0;
    cursor(x, y);
    const bool toFullscreen = glfwGetWindowMonitor(window) == nullptr;
    if (!showOnMonitor(toFullscreen) && toFullscreen)
        showOnMonitor(false);
    // The pointer scale changed with the window: the same logical point is
    // somewhere else in window units.
    setCursor(x, y);
    beginFrame();
}

// The window with its context current, unpaced, and the logical screen it
// draws into; on failure nothing is left open.
bool createWindow(int width, int height, GLFWmonitor* monitor, int colorDepth, bool offscreen)
{
    window = glfwCreateWindow(width, height, WINDOW_TITLE, monitor, nullptr);
    if (!window) {
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    if (!prepareLogicalTarget(colorDepth, offscreen)) {
        closeDisplay();
        return false;
    }
    return true;
}

} // namespace

bool openDisplay(int colorDepth, bool fullscreen)
{
    targetColorDepth = colorDepth;
    if (!glfwInit())
        return false;
    glfwDefaultWindowHints();
    if (!hintColourBits(colorDepth)) {
        glfwTerminate();
        return false;
    }
    glfwWindowHint(GLFW_DEPTH_BITS, 0);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    glfwWindowHint(GLFW_REFRESH_RATE, WINDOWED_REFRESH_RATE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    int width = logical::WIDTH;
    int height = logical::HEIGHT;
    GLFWmonitor* monitor = fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    if (fullscreen && (!monitor || !hintMonitorMode(monitor, width, height))) {
        glfwTerminate();
        return false;
    }
    if (!createWindow(width, height, monitor, colorDepth, false))
        return false;
    // The game draws its own cursor; the captured pointer moves without bounds.
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    setWindowIcon();
    // Without it a full-screen window on a bare X server gets neither focus nor mouse motion.
    glfwFocusWindow(window);
    backend.forgetSnapshot();
    setInitialGlState();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    backend.present();
    return true;
}

bool openHiddenDisplay()
{
    if (window)
        return true;
    if (!glfwInit())
        return false;
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    // An invisible window's own pixels are undefined: draw where they can be read back.
    if (!createWindow(logical::WIDTH, logical::HEIGHT, nullptr, 32, true))
        return false;
    backend.forgetSnapshot();
    setInitialGlState();
    return true;
}

void beginFrame()
{
    scaler::bindTarget();
    glViewport(0, 0, logical::WIDTH, logical::HEIGHT);
}

void closeDisplay()
{
    if (window) {
        scaler::destroyTarget();
        glfwDestroyWindow(window);
        window = nullptr;
    }
    pointerScale = 1.0;
    glfwTerminate();
}

GLFWwindow* gameWindow() { return window; }

seam::Backend& glfwBackend() { return backend; }

} // namespace kalup::display
