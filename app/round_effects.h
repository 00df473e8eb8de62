#pragma once
// What the game makes of the events of the board and the round: the
// samples of the sound bank, the particle bursts and the choice of the
// round's backdrop (its drawing clears the screen where the frame's drawing
// reaches the round start).
#include "board/events.h"

namespace kalup::round_effects {

board::Events& listener();

} // namespace kalup::round_effects
