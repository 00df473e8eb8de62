#pragma once
// The keyboard as presses: the seam's held keys compared once a frame with
// the frame before, and held keys that repeat on the game clock.
#include "platform/seam.h"

namespace kalup::keys {

// A held key strikes again after REPEAT_DELAY, then every REPEAT_PERIOD.
inline constexpr double REPEAT_DELAY = 0.4;
inline constexpr double REPEAT_PERIOD = 0.15;

// Takes this frame's keys from the seam: once, at the top of every frame.
void readKeys();
// Down this frame and up the frame before.
bool wentDown(seam::Key key);
// Went down, or is held and a repeat fell due this frame.
bool struck(seam::Key key);

} // namespace kalup::keys
