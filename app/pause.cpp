#include "app/pause.h"

#include "platform/audio.h"
#include "platform/keys.h"
#include "platform/seam.h"

namespace kalup::pause {

namespace {

// P stands the round still until P again, focus or not.
bool heldByKey = false;
bool due = false;
bool soundHeld = false;

void holdSound(bool hold)
{
    if (hold != soundHeld)
        audio::holdPlayback(hold);
    soundHeld = hold;
}

} // namespace

void followPauseRequests(bool roundOnScreen, bool helpOpen)
{
    if (!roundOnScreen)
        heldByKey = false;
    else if (keys::wentDown(seam::Key::P))
        heldByKey = !heldByKey;
    const bool focused = seam::focused();
    due = roundOnScreen && (heldByKey || !focused || helpOpen);
    holdSound(due || !focused);
}

bool pauseDue() { return due; }

} // namespace kalup::pause
