#include "platform/pointer_capture.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

namespace kalup::pointer_capture {

namespace {

// Where the game's pointer stood when the window let go of the mouse.
double heldX = 0.0;
double heldY = 0.0;

bool holdsMouse(GLFWwindow* window) { return glfwGetInputMode(window, GLFW_CURSOR) == GLFW_CURSOR_DISABLED; }

bool buttonHeld(GLFWwindow* window)
{
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int state = 0;
    XQueryPointer(glfwGetX11Display(), glfwGetX11Window(window), &root, &child, &rootX, &rootY, &x, &y, &state);
    return (state & (Button1Mask | Button2Mask | Button3Mask)) != 0;
}

// The grab GLFW asks for when the focus arrives, asked again: GLFW asks
// once and never looks at the answer. Asked by its holder it changes nothing.
void grabPointer(GLFWwindow* window)
{
    const ::Window handle = glfwGetX11Window(window);
    XGrabPointer(glfwGetX11Display(), handle, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, handle, None, CurrentTime);
}

} // namespace

void followFocus(GLFWwindow* window, bool focused)
{
    if (!focused) {
        if (holdsMouse(window)) {
            glfwGetCursorPos(window, &heldX, &heldY);
            glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
        }
        return;
    }
    if (!holdsMouse(window)) {
        if (buttonHeld(window))
            return;
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
        // Taking the mouse starts it where the system pointer is: the game's stays put.
        glfwSetCursorPos(window, heldX, heldY);
    }
    grabPointer(window);
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
