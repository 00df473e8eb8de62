#pragma once
// Whether the player can still move, and whether the board is cleared.

namespace kalup::board {

bool movesAvailable();
bool boardIsEmpty();

} // namespace kalup::board
