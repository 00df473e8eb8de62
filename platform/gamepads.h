#pragma once
// The gamepads over GLFW's gamepad interface: its own mappings of the common
// pads, and those in the player's "gamecontrollerdb.txt" in the game's
// settings folder. Pads come and go at any time; every connected one counts.
#include "platform/seam.h"

namespace kalup::gamepads {

// Far more than a file of mappings for every known pad holds.
inline constexpr std::size_t MAPPINGS_SIZE_LIMIT = 2 * 1024 * 1024;

// Adds the player's mappings, once GLFW runs. A file that cannot be taken
// (not a regular file, too large, unreadable) is said in one line on stderr.
void addPlayerMappings();
// Looks at every pad and counts the buttons that went down since the last
// look: after every handling of the window's events.
void poll();
// The pads for the frame that begins: held as of the last look, and the
// presses counted since the frame before.
seam::Pad takeFrame();
// As if no pad had been seen: for a new window.
void forget();

} // namespace kalup::gamepads
