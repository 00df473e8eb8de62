#pragma once
// The keyboard and the gamepad as presses: the presses the seam counted
// since the frame before, taken once a frame, and held keys that repeat on
// the game clock while they are really down.
#include "platform/seam.h"

namespace kalup::keys {

// A held key strikes again after REPEAT_DELAY, then every REPEAT_PERIOD.
inline constexpr double REPEAT_DELAY = 0.4;
inline constexpr double REPEAT_PERIOD = 0.15;

// Takes this frame's keys and pad from the seam: once, at the top of every frame.
void readKeys();
// Down in this frame, on the keyboard or the pad: held as it began, or
// pressed since the frame before.
bool down(seam::Key key);
// Pressed since the frame before.
bool wentDown(seam::Key key);
// Times pressed since the frame before, plus a repeat of a held key that
// fell due this frame.
int strikes(seam::Key key);
bool struck(seam::Key key);

} // namespace kalup::keys
