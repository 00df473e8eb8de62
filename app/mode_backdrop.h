#pragma once
// The backdrop of the mode last played, drawn under the round and under the
// menu alike, before anything else of a frame.

namespace kalup::mode_backdrop {

// The turn of the survival mode's backdrop, in degrees; it turns on for the
// whole run.
float& survivalBackdropAngle();

// A frame of the mode's backdrop. A hidden one, under a screen that covers
// it whole, is only moved on as if drawn: the clouds keep drawing the game's
// random numbers as they move.
void drawModeBackdrop(int mode, bool hidden);

} // namespace kalup::mode_backdrop
