#pragma once
// The main menu: backdrop, title, mode rows and gears.
#include "app/screen.h"

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

class MenuScreen final : public screens::Screen {
public:
    // Fonts anew at every visit.
    void enter() override;
    // A chosen row, Enter or space starts a game; F10 or F3 quits.
    void update(screens::Changes& asked) override;
    // B opens the tables of bests.
    void followKeys(screens::Changes& asked) override;
    void draw() override;
    // Behind a page only the backdrop moves on; the rows and keys rest.
    void drawUnderPage() override { drawBackdrop(); }
    bool hidesBackdrop() const override { return true; }

private:
    // A game started in this frame clears the screen for its backdrop: when
    // a row started it, over the backdrop and the title; when space did,
    // over the whole menu, whose keys are read after its rows.
    enum class Cleared { Nothing, BackdropAndTitle, Everything };
    int stripSizes[3] = {64, 64, 64};
    Cleared cleared = Cleared::Nothing;
};

} // namespace kalup::menu
