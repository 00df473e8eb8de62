#pragma once
// The game's pointer: the mouse, read through the seam once a frame and held
// in logical screen units, clamped to the screen.

namespace kalup::pointer {

// Both bounds inclusive: 0..800 and 0..600.
extern int mouseX;
extern int mouseY;

// Reads the mouse and clamps it to the screen.
void readPointer();
// Hands the clamped pointer back to the mouse when the clamp moved it, so
// the hidden system pointer never wanders off the screen. Otherwise the
// mouse is left alone: it keeps the fractions of a logical unit that slow
// movement on a large screen is made of.
void keepPointerOnScreen();
// Puts the pointer on a point of the screen for the keyboard, and the mouse
// with it, so moving the mouse afterwards carries on from there.
void placePointer(int x, int y);
// Whether the keys or the pad placed the pointer last: from placePointer
// until the mouse moves.
bool steeredByKeys();

} // namespace kalup::pointer
