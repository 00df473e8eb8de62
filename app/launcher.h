#pragma once
// The launcher dialog: the player's choice of colour depth and screen mode.

namespace kalup::launcher {

extern int colorDepth;
extern bool fullscreen;

// Shows the dialog until the player starts; the close box ends the process
// with code 0; a dialog that cannot be created (no display) with code 1
// and a line on stderr saying why. The depth checked at first is
// initialDepth (16 or 32; the game's default is 32). Once the launcher is
// on the screen, whileWaiting runs on this thread before the player's first
// click is taken.
void runLauncher(int initialDepth, void (*whileWaiting)(int initialDepth));

} // namespace kalup::launcher
