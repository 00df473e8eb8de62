#pragma once
// The logical screen as the tests see it: the mouse put on it, and its
// pixels read back.
#include <cmath>
#include <vector>

#include <GL/gl.h>

#include "platform/scaler.h"
#include "tests/harness.h"

namespace screen {

// The mouse on the window pixel nearest a logical point, with the button as
// given, for one frame.
inline void mouseAt(double x, double y, bool button = false)
{
    harness::ScriptedBackend& mouse = harness::input();
    mouse.cursorX = std::round(kalup::scaler::toWindow(x, mouse.scale));
    mouse.cursorY = std::round(kalup::scaler::toWindow(y, mouse.scale));
    mouse.button = button;
    harness::frames(1);
}

// Every pixel of the logical screen as RGBA bytes, the bottom row first.
inline std::vector<unsigned char> pixels()
{
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

} // namespace screen
