#include "platform/full_screen_start.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xatom.h>

namespace kalup::full_screen_start {

void markFullScreen(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, glfwGetX11Window(window), state, XA_ATOM, 32, PropModeAppend,
        reinterpret_cast<const unsigned char*>(&fullScreen), 1);
}

} // namespace kalup::full_screen_start
