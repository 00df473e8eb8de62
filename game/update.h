#pragma once
// One playing frame: board animation, timers, the mode's rules, input.
#include "board/events.h"

namespace kalup::game {

void updateGame(board::Events& events);
void shakeTopColumns();
void shakeBoard();

} // namespace kalup::game
