#pragma once
// Keys that answer on every screen, paused or not: M mutes or unmutes the
// game for good, F11 switches between full screen and the window.

#include "data/settings.h"

namespace kalup::toggles {

// The player's settings; the toggles own them.
settings::Settings& settings();

// The mute kept from the last run, at start-up.
void restoreMute();
// Once a frame, after the keys are read.
void followToggleKeys();

} // namespace kalup::toggles
