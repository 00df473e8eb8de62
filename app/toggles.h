#pragma once
// Keys that answer on every screen, paused or not: M mutes or unmutes the
// game for good, F11 switches between full screen and the window.

namespace kalup::toggles {

// The mute kept from the last run, at start-up.
void restoreMute();
// Once a frame, after the keys are read.
void followToggleKeys();

} // namespace kalup::toggles
