#pragma once
// What the game makes of the events of the board and the round: the
// samples of the sound bank, the particle bursts and the round's backdrop.
#include "board/events.h"

namespace kalup::round_effects {

board::Events& listener();

} // namespace kalup::round_effects
