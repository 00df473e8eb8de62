#pragma once
// The main menu: backdrop, title, mode rows and gears.

namespace kalup::menu {

extern int menuLogoY;
extern int menuMarkerY;
extern float gearAngleA;
extern float gearAngleB;
extern float gearAngleC;

// A frame of the menu. A chosen row starts its mode through startGame at
// once, in the middle of the menu's drawing, which goes on over the new
// round's cleared screen.
using StartGame = void (*)(int mode);
void drawMainMenu(StartGame startGame);

} // namespace kalup::menu
