#include "platform/display.h"

#include <ctime>
#include <vector>

#include <FL/Fl_PNG_Image.H>
#include <GLFW/glfw3.h>

#include "platform/app_identity.h"
#include "platform/full_screen_start.h"
#include "platform/gamepads.h"
#include "platform/logical_screen.h"
#include "platform/pointer_capture.h"
#include "platform/quit_signals.h"
#include "platform/scaler.h"
#include "platform/window_visibility.h"

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
// The launcher's colour depth, for a target made when the window's size changes.
int targetColorDepth = 32;
// The colour depth the window itself has, whatever it was asked for (an X
// server of 24 bits gives 8/8/8 to a 5/6/5 request): a 16-bit picture on a
// deeper window is drawn through the target.
int windowColorDepth = 32;
// The hidden window draws offscreen at any size; only the game's holds the mouse.
bool offscreenAlways = false;
bool capturesMouse = false;
// A driver without framebuffer objects does not gain them later.
bool targetUnavailable = false;
// Exposed, resized or switched since the last present: the picture must be drawn again.
bool pictureGone = false;

class GlfwBackend final : public seam::Backend {
public:
    double now() override { return glfwGetTime(); }
    std::int64_t wallClockSeconds() override { return std::time(nullptr); }
    bool keyDown(seam::Key key) override
    {
        const int k = static_cast<int>(key);
        return keysHeld[k] || keyPressesOfFrame[k] > 0;
    }
    int keyPresses(seam::Key key) override { return keyPressesOfFrame[static_cast<int>(key)]; }
    seam::Pad pad() override { return padOfFrame; }
    void takeInput() override
    {
        glfwPollEvents();
        takeSnapshot();
    }
    bool leftButtonDown() override { return buttonHeld; }
    bool focused() override { return hasFocus; }
    void cursor(double& x, double& y) override;
    void setCursor(double x, double y) override;
    double waitUntil(double deadline) override;
    double waitForEvents(double deadline) override;
    void present() override;
    bool shown() override;
    bool pictureLost() override { return pictureGone; }
    void switchScreenMode() override;
    bool closeRequested() override;

    // The held states the game sees for a whole frame.
    void takeSnapshot();
    void forgetSnapshot();
    void followWindowSize();
    // From the window's key events, as they arrive.
    void keyWentDown(seam::Key key) { ++pendingKeyPresses[static_cast<int>(key)]; }

private:
    bool keysHeld[seam::KEY_COUNT] = {};
    int pendingKeyPresses[seam::KEY_COUNT] = {};
    int keyPressesOfFrame[seam::KEY_COUNT] = {};
    seam::Pad padOfFrame;
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
    case seam::Key::F1: return GLFW_KEY_F1;
    case seam::Key::B: return GLFW_KEY_B;
    }
    return GLFW_KEY_UNKNOWN;
}

void countKeyPress(GLFWwindow*, int glfwKey, int, int action, int)
{
    // A key the system repeats while it is held is not pressed again: the
    // game repeats held keys on its own clock.
    if (action != GLFW_PRESS)
        return;
    // The keypad's Enter is Enter too.
    if (glfwKey == GLFW_KEY_KP_ENTER)
        glfwKey = GLFW_KEY_ENTER;
    for (int k = 0; k < seam::KEY_COUNT; ++k)
        if (glfwKeyOf(static_cast<seam::Key>(k)) == glfwKey)
            backend.keyWentDown(static_cast<seam::Key>(k));
}

// The pads have no events: a sleep looks at them as it ends, so a button
// pressed and let go inside one frame is still counted.
void waitEventsTimeout(double seconds)
{
    glfwWaitEventsTimeout(seconds);
    gamepads::poll();
}

void GlfwBackend::takeSnapshot()
{
    if (!window) {
        forgetSnapshot();
        return;
    }
    // A sticky button reports a click shorter than a frame as held once;
    // a key tapped inside a frame is counted by its event instead.
    for (int k = 0; k < seam::KEY_COUNT; ++k) {
        keysHeld[k] = glfwGetKey(window, glfwKeyOf(static_cast<seam::Key>(k))) == GLFW_PRESS;
        keyPressesOfFrame[k] = pendingKeyPresses[k];
        pendingKeyPresses[k] = 0;
    }
    // The keypad's Enter is Enter too.
    if (glfwGetKey(window, GLFW_KEY_KP_ENTER) == GLFW_PRESS)
        keysHeld[static_cast<int>(seam::Key::Enter)] = true;
    buttonHeld = glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    hasFocus = glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE;
    gamepads::poll();
    padOfFrame = gamepads::takeFrame();
    // The pads steer the game only while its window has the focus, as the keys do.
    if (!hasFocus)
        padOfFrame = seam::Pad{};
    if (capturesMouse)
        pointer_capture::followFocus(window, hasFocus);
}

void GlfwBackend::forgetSnapshot()
{
    for (int k = 0; k < seam::KEY_COUNT; ++k) {
        keysHeld[k] = false;
        pendingKeyPresses[k] = 0;
        keyPressesOfFrame[k] = 0;
    }
    gamepads::forget();
    padOfFrame = {};
    buttonHeld = false;
    // A window that was just opened asked for the focus.
    hasFocus = window != nullptr;
}

void GlfwBackend::cursor(double& x, double& y)
{
    double windowX = 0;
    double windowY = 0;
    if (window)
        pointer_capture::position(window, windowX, windowY);
    x = scaler::toLogical(windowX, pointerScale);
    y = scaler::toLogical(windowY, pointerScale);
}

void GlfwBackend::setCursor(double x, double y)
{
    if (window)
        pointer_capture::moveTo(window, scaler::toWindow(x, pointerScale), scaler::toWindow(y, pointerScale));
}

double GlfwBackend::waitUntil(double deadline)
{
    for (;;) {
        const double reading = glfwGetTime();
        glfwPollEvents();
        if (reading >= deadline)
            return reading;
        // An idle menu must not burn a core: sleep (still taking events)
        // until shortly before the deadline, and spin only the rest.
        if (deadline - reading > SPIN_MARGIN)
            waitEventsTimeout(deadline - reading - SPIN_MARGIN);
    }
}

// A quit signal that lands just before the sleep begins is seen at the
// deadline, which the game keeps short.
double GlfwBackend::waitForEvents(double deadline)
{
    const double reading = glfwGetTime();
    if (reading < deadline && !quit_signals::received())
        waitEventsTimeout(deadline - reading);
    else
        glfwPollEvents();
    return glfwGetTime();
}

bool GlfwBackend::shown()
{
    return window && glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_FALSE && !window_visibility::covered();
}

void GlfwBackend::present()
{
    if (!window)
        return;
    pictureGone = false;
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    scaler::showTarget(width, height);
    glfwSwapBuffers(window);
    followWindowSize();
    beginFrame();
}

bool GlfwBackend::closeRequested() { return quit_signals::received() || (window && glfwWindowShouldClose(window)); }

bool targetWanted(int framebufferWidth, int framebufferHeight)
{
    return offscreenAlways || targetColorDepth < windowColorDepth || glfwGetWindowMonitor(window) != nullptr
        || framebufferWidth != logical::WIDTH || framebufferHeight != logical::HEIGHT;
}

bool ensureTarget()
{
    if (scaler::hasTarget())
        return true;
    if (!targetUnavailable && !scaler::createTarget(targetColorDepth))
        targetUnavailable = true;
    return !targetUnavailable;
}

// The window manager has the last word on the window's size: it may
// maximise the window, make it smaller to fit the desktop, or apply a new
// size only frames after it was asked for. Whatever size the window has,
// the logical screen is letterboxed into it (an 800 x 600 window is drawn
// into directly), and the pointer keeps its logical position.
void GlfwBackend::followWindowSize()
{
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    if (targetWanted(width, height))
        ensureTarget();
    else
        scaler::destroyTarget();
    glfwGetWindowSize(window, &width, &height);
    if (width <= 0 || height <= 0)
        return;
    const double scale = scaler::windowUnitsPerLogical(width, height);
    if (scale == pointerScale)
        return;
    double x = 0;
    double y = 0;
    cursor(x, y);
    pointerScale = scale;
    setCursor(x, y);
}

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

void setInitialGlState()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    beginFrame();
}

// The open window full screen on the primary monitor as it is, or as the
// 800 x 600 window centred on it. False when full screen has no monitor or
// no target to scale from: the window is then left as it was.
bool showOnMonitor(bool fullscreen)
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode)
        return false;
    if (fullscreen) {
        if (!ensureTarget())
            return false;
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    } else {
        const int x = (mode->width - logical::WIDTH) / 2;
        const int y = (mode->height - logical::HEIGHT) / 2;
        glfwSetWindowMonitor(window, nullptr, x, y, logical::WIDTH, logical::HEIGHT, GLFW_DONT_CARE);
        // A window manager may have maximised the window made at the
        // screen's size, and return it to that: the window is 800 x 600.
        if (glfwGetWindowAttrib(window, GLFW_MAXIMIZED)) {
            glfwRestoreWindow(window);
            glfwSetWindowMonitor(window, nullptr, x, y, logical::WIDTH, logical::HEIGHT, GLFW_DONT_CARE);
        }
    }
    // Without it a bare X server leaves the focus where it was.
    glfwFocusWindow(window);
    return true;
}

void GlfwBackend::switchScreenMode()
{
    if (!window)
        return;
    showOnMonitor(glfwGetWindowMonitor(window) == nullptr);
    pictureGone = true;
    followWindowSize();
    beginFrame();
}

// The window with its context current, unpaced, and the logical screen it
// draws into; on failure nothing is left open.
bool createWindow(int width, int height, GLFWmonitor* monitor)
{
    glfwWindowHintString(GLFW_X11_CLASS_NAME, app_identity::APP_ID);
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, app_identity::INSTANCE_NAME);
    window = glfwCreateWindow(width, height, WINDOW_TITLE, monitor, nullptr);
    if (!window) {
        closeDisplay();
        return false;
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    glfwSetWindowRefreshCallback(window, [](GLFWwindow*) { pictureGone = true; });
    glfwSetFramebufferSizeCallback(window, [](GLFWwindow*, int, int) { pictureGone = true; });
    GLint redBits = 0;
    GLint greenBits = 0;
    glGetIntegerv(GL_RED_BITS, &redBits);
    glGetIntegerv(GL_GREEN_BITS, &greenBits);
    windowColorDepth = redBits <= 5 && greenBits <= 6 ? 16 : 32;
    glfwGetFramebufferSize(window, &width, &height);
    if (targetWanted(width, height) && !ensureTarget()) {
        closeDisplay();
        return false;
    }
    backend.followWindowSize();
    return true;
}

// GLFW started, with the hints every game window is made with.
bool startGlfw(int colorDepth)
{
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
    // A window manager may take the focus away for a moment while it makes a
    // window full screen; iconified then, the game would vanish. A round
    // pauses when the focus goes, which is all the game needs.
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    return true;
}

// The hidden window made while the launcher waited (or just now), shown full
// screen on the primary monitor as it is, size, colour bits and refresh rate,
// so the video mode is never switched and the logical screen is scaled into
// it; or shown as it was made. On failure nothing is left open.
bool showPreparedWindow(bool fullscreen)
{
    if (!fullscreen) {
        glfwShowWindow(window);
        return true;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode || !ensureTarget()) {
        closeDisplay();
        return false;
    }
    // Setting the monitor maps the window, full screen from its first frame.
    full_screen_start::markFullScreen(window);
    glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    backend.followWindowSize();
    return true;
}

void destroyWindow()
{
    scaler::destroyTarget();
    glfwDestroyWindow(window);
    window = nullptr;
}

} // namespace

bool prepareDisplay(int colorDepth)
{
    if (window)
        return true;
    if (!startGlfw(colorDepth))
        return false;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    targetColorDepth = colorDepth;
    if (!createWindow(logical::WIDTH, logical::HEIGHT, nullptr))
        return false;
    setWindowIcon();
    return true;
}

bool openDisplay(int colorDepth, bool fullscreen)
{
    // A window of 16 bits cannot show 32: it is made again, and only
    // the window and its context are new, the driver stays started.
    if (window && colorDepth > windowColorDepth)
        destroyWindow();
    targetColorDepth = colorDepth;
    // Without a launcher nothing was made yet: the window is made hidden
    // here, and shown the same way as the launcher's.
    if (!prepareDisplay(colorDepth) || !showPreparedWindow(fullscreen))
        return false;
    // The game draws its own cursor; the captured pointer moves without bounds.
    pointer_capture::holdMouse(window);
    capturesMouse = true;
    glfwSetKeyCallback(window, countKeyPress);
    glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    gamepads::addPlayerMappings();
    window_visibility::watch(window);
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
    offscreenAlways = true;
    targetColorDepth = 32;
    if (!createWindow(logical::WIDTH, logical::HEIGHT, nullptr))
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
    window_visibility::stop();
    if (window)
        destroyWindow();
    pointerScale = 1.0;
    windowColorDepth = 32;
    offscreenAlways = false;
    capturesMouse = false;
    targetUnavailable = false;
    pictureGone = false;
    glfwTerminate();
}

GLFWwindow* gameWindow() { return window; }

seam::Backend& glfwBackend() { return backend; }

} // namespace kalup::display
