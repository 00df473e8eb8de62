#pragma once
// The playing screen: it owns the game being played (or the last one), starts
// a game, and runs and draws one frame of its round.
#include "game/game_state.h"

namespace kalup::playing {

game::Round& round();

// A new game of the mode: fonts anew, its first round dealt, and the round's
// backdrop made ready, here in the frame where it starts.
void enter(int mode);
// The round's rules for one frame, then its picture: the board, the line or
// end screens, the ghosts.
void frame();
// Back to the menu: the board and the level are cleared.
void leave();

} // namespace kalup::playing
