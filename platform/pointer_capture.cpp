#include "platform/pointer_capture.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

namespace kalup::pointer_capture {

namespace {

// Where the game's pointer stood when the window let go of the mouse.
double heldX = 0.0;
double heldY = 0.0;
// Whether the X server has granted the grab since the focus last arrived.
bool grabGranted = false;

bool holdsMouse(GLFWwindow* window) { return glfwGetInputMode(window, GLFW_CURSOR) == GLFW_CURSOR_DISABLED; }

// GLFW asks for the grab each time the focus arrives, once, and never looks
// at the answer: from then on the answer is ours to get.
void onFocus(GLFWwindow*, int focused)
{
    if (focused)
        grabGranted = false;
}

// A press on the window's frame, such as on its close button or title bar,
// belongs to the window manager, which grabs the pointer to follow it and
// may not have done so yet when the focus arrives with that press. So the
// window takes the mouse only once the pointer rests over it.
bool pointerRestsOnWindow(GLFWwindow* window)
{
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int state = 0;
    if (!XQueryPointer(glfwGetX11Display(), glfwGetX11Window(window), &root, &child, &rootX, &rootY, &x, &y, &state))
        return false;
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    const bool buttonHeld = (state & (Button1Mask | Button2Mask | Button3Mask)) != 0;
    return !buttonHeld && x >= 0 && y >= 0 && x < width && y < height;
}

// The grab GLFW asks for; asked by its holder it changes nothing.
bool grabPointer(GLFWwindow* window)
{
    const ::Window handle = glfwGetX11Window(window);
    return XGrabPointer(glfwGetX11Display(), handle, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                        GrabModeAsync, GrabModeAsync, handle, None, CurrentTime)
        == GrabSuccess;
}

} // namespace

void holdMouse(GLFWwindow* window)
{
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    glfwSetWindowFocusCallback(window, onFocus);
    grabGranted = false;
}

void followFocus(GLFWwindow* window, bool focused)
{
    if (!focused) {
        if (holdsMouse(window)) {
            glfwGetCursorPos(window, &heldX, &heldY);
            glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
        }
        grabGranted = false;
        return;
    }
    if (!holdsMouse(window)) {
        if (!pointerRestsOnWindow(window))
            return;
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
        // Taking the mouse starts it where the system pointer is: the game's stays put.
        glfwSetCursorPos(window, heldX, heldY);
    }
    if (!grabGranted)
        grabGranted = grabPointer(window);
}

void position(GLFWwindow* window, double& x, double& y)
{
    if (holdsMouse(window)) {
        glfwGetCursorPos(window, &x, &y);
    } else {
        x = heldX;
        y = heldY;
    }
}

void moveTo(GLFWwindow* window, double x, double y)
{
    if (holdsMouse(window)) {
        glfwSetCursorPos(window, x, y);
    } else {
        heldX = x;
        heldY = y;
    }
}

} // namespace kalup::pointer_capture
