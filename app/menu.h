#pragma once
// The main menu: backdrop, title, mode rows and gears.

namespace kalup::menu {

extern int menuLogoY;
extern int menuMarkerY;
extern float gearAngleA;
extern float gearAngleB;
extern float gearAngleC;

void drawMainMenu();

} // namespace kalup::menu
