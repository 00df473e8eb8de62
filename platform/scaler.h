#pragma once
// Shows the logical 800 x 600 screen on a window of any size. The game draws
// into an offscreen target of logical size, which each finished frame is
// scaled from into the largest centred 4:3 area of the window, with black
// bars around it, through the sharp filter: every logical pixel keeps its
// width within a window pixel at any scale, and only the window pixels
// across an edge mix the two sides, so the picture stays sharp. The
// monitor's video mode is never changed.

namespace kalup::scaler {

struct Area {
    int x;
    int y;
    int width;
    int height;
};

// The largest 4:3 area centred in a window of the given size.
Area fitLogicalScreen(int windowWidth, int windowHeight);
// Window units per logical unit once the screen is fitted into the window.
double windowUnitsPerLogical(int windowWidth, int windowHeight);

// Pointer positions between window units and logical units, exactly: the
// fraction of a logical unit is kept, so a pointer moved one window pixel at
// a time moves by the true distance at any scale.
double toLogical(double windowPosition, double unitsPerLogical);
double toWindow(double logicalPosition, double unitsPerLogical);

// The offscreen target, in the current GL context. Its colour buffer keeps
// the chosen colour depth (16: 5/6/5 where the driver offers it). False when
// the driver has no framebuffer objects.
bool createTarget(int colorDepth);
bool hasTarget();
// Makes the target, if there is one, the destination of all drawing.
void bindTarget();
// Scales the target, if there is one, into a framebuffer of the given size
// (the window's unless another is named), bars cleared to black. The GL
// state the game set is left as it was, but for the framebuffer binding.
void showTarget(int framebufferWidth, int framebufferHeight, unsigned destination = 0);
void destroyTarget();

} // namespace kalup::scaler
