#pragma once
// The tables of bests, one column per mode with the dates, over the menu.
// B on the menu opens them; B or Escape closes them, and the Escape that
// closed them is not also taken by the menu.
#include <cstdint>

#include "game/bests.h"
#include "game/lines.h"

namespace kalup::bests_page {

bool isOpen();
void open();
void close();

// Once a frame, after the keys are read; B opens the tables only on the menu.
void followKeys(bool onMenu);
bool holdsEscape();
bool changed();

// The tables over the picture drawn before them.
void drawPage();

// A result as the menu and the tables show it: points, or minutes and
// seconds lasted ("1:05").
game::Line resultLine(game::BestsTable table, std::int64_t value);

} // namespace kalup::bests_page
