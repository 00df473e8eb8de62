#include "platform/window_visibility.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

namespace kalup::window_visibility {

namespace {
Display* connection = nullptr;
bool isCovered = false;
} // namespace

void watch(GLFWwindow* window)
{
    stop();
    connection = XOpenDisplay(DisplayString(glfwGetX11Display()));
    if (!connection)
        return;
    XSelectInput(connection, glfwGetX11Window(window), VisibilityChangeMask);
    XFlush(connection);
}

bool covered()
{
    if (!connection)
        return false;
    while (XPending(connection) > 0) {
        XEvent event;
        XNextEvent(connection, &event);
        if (event.type == VisibilityNotify)
            isCovered = event.xvisibility.state == VisibilityFullyObscured;
    }
    return isCovered;
}

void stop()
{
    if (connection)
        XCloseDisplay(connection);
    connection = nullptr;
    isCovered = false;
}

} // namespace kalup::window_visibility
