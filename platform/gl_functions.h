#pragma once
// GL functions past OpenGL 1.x (framebuffer objects, shaders) are looked up
// at run time from the driver, through GLFW.
#include <GLFW/glfw3.h>

namespace kalup::gl_functions {

// Sets the pointer to the driver's function of that name; false, and null,
// when the driver has none.
template <typename Function>
bool load(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(glfwGetProcAddress(name));
    return function != nullptr;
}

} // namespace kalup::gl_functions
