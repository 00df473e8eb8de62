#include "app/rest.h"

#include "platform/seam.h"

namespace kalup::rest {

namespace {
bool wasShown = true;
// The paused picture drawn last, and where the pointer stood for it.
bool stillDrawn = false;
double pointerX = 0.0;
double pointerY = 0.0;
} // namespace

bool frameWanted(bool roundRuns, bool paused)
{
    const bool shown = seam::shown();
    const bool cameIntoView = shown && !wasShown;
    wasShown = shown;
    if (!paused)
        stillDrawn = false;
    if (roundRuns)
        return true;
    if (!shown)
        return false;
    if (!paused)
        return true;
    double x = 0.0;
    double y = 0.0;
    seam::cursor(x, y);
    const bool wanted = !stillDrawn || cameIntoView || seam::pictureLost() || x != pointerX || y != pointerY;
    stillDrawn = true;
    pointerX = x;
    pointerY = y;
    return wanted;
}

} // namespace kalup::rest
