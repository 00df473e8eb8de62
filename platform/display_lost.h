#pragma once
// The connection to the X server can end under the game: the player logs
// out, the server crashes, xkill. Xlib then ends the process at once, from
// whatever call noticed; the game gets one last word before it does.

namespace kalup::display_lost {

using LastWord = void (*)();

// From now on a lost connection runs `lastWord`, says so on stderr and ends
// the process with exit code 1. The message box's toolkit, opened later,
// does not take this over.
void onDisplayLost(LastWord lastWord);

} // namespace kalup::display_lost
