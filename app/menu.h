#pragma once
// The main menu: backdrop, title, mode rows and gears.

namespace kalup::menu {

// What the menu keeps from frame to frame, for the whole run.
struct MenuState {
    // The title drops in from above, 4 units a frame.
    int menuLogoY = -25;
    // The selector beside the last hovered row.
    int menuMarkerY = 315;
    float gearAngleA = 0.0f;
    float gearAngleB = 0.0f;
    float gearAngleC = 0.0f;
};

// The menu's state; the menu owns it.
MenuState& state();

// The menu's pulsing backdrop, also behind the pages opened over the menu.
void drawBackdrop();

// A frame of the menu. A chosen row starts its mode through startGame at
// once, in the middle of the menu's drawing, which goes on over the new
// round's cleared screen.
using StartGame = void (*)(int mode);
void drawMainMenu(StartGame startGame);

} // namespace kalup::menu
