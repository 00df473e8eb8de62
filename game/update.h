#pragma once
// One playing frame: board animation, timers, the mode's rules, input.

namespace kalup::game {

void updateGame();
void shakeTopColumns();
void shakeBoard();

} // namespace kalup::game
