#include "platform/pointer.h"

#include <algorithm>

#include "platform/logical_screen.h"
#include "platform/seam.h"

namespace kalup::pointer {

int mouseX = 0;
int mouseY = 0;

namespace {

// The position as the mouse reported it, fraction and all, once clamped.
double exactX = 0.0;
double exactY = 0.0;
bool moved = false;
// Where the mouse reported itself once placePointer had put it, and whether
// it is still there.
double placedX = 0.0;
double placedY = 0.0;
bool steered = false;

} // namespace

void readPointer()
{
    double x = 0.0;
    double y = 0.0;
    seam::cursor(x, y);
    if (x != placedX || y != placedY)
        steered = false;
    exactX = std::clamp(x, 0.0, static_cast<double>(logical::WIDTH));
    exactY = std::clamp(y, 0.0, static_cast<double>(logical::HEIGHT));
    moved = exactX != x || exactY != y;
    mouseX = static_cast<int>(exactX);
    mouseY = static_cast<int>(exactY);
}

void keepPointerOnScreen()
{
    if (moved)
        seam::setCursor(exactX, exactY);
    moved = false;
}

void placePointer(int x, int y)
{
    exactX = std::clamp(x, 0, logical::WIDTH);
    exactY = std::clamp(y, 0, logical::HEIGHT);
    mouseX = static_cast<int>(exactX);
    mouseY = static_cast<int>(exactY);
    moved = false;
    seam::setCursor(exactX, exactY);
    seam::cursor(placedX, placedY);
    steered = true;
}

bool steeredByKeys() { return steered; }

} // namespace kalup::pointer
