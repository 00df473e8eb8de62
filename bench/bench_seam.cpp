#include "bench/bench_seam.h"

#include <GL/gl.h>

#include <algorithm>

#include "platform/display.h"

namespace bench {

namespace {
kalup::seam::Backend& window() { return kalup::display::glfwBackend(); }
} // namespace

double BenchSeam::now() { return paced ? window().now() : time; }

void BenchSeam::cursor(double& x, double& y)
{
    x = cursorX;
    y = cursorY;
}

void BenchSeam::setCursor(double x, double y)
{
    cursorX = x;
    cursorY = y;
}

double BenchSeam::waitUntil(double deadline)
{
    if (paced)
        return window().waitUntil(deadline);
    // A deadline already passed: the window's events are taken and the wait ends.
    window().waitUntil(0.0);
    time = std::max(time, deadline);
    return time;
}

double BenchSeam::waitForEvents(double deadline)
{
    if (paced)
        return window().waitForEvents(deadline);
    window().waitUntil(0.0);
    time = std::max(time, deadline);
    return time;
}

bool BenchSeam::pictureLost() { return window().pictureLost(); }

void BenchSeam::present()
{
    window().present();
    if (!paced)
        glFinish();
}

} // namespace bench
