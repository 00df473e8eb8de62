#pragma once
// Whether the player can still move, and whether the board is cleared.
#include "board/board.h"

namespace kalup::board {

bool movesAvailable(const BoardState& state);
// Only answers; the round's step notes a cleared board.
bool boardIsEmpty(const BoardState& state);

} // namespace kalup::board
