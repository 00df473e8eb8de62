#pragma once
// The survival board rising a row, and whether there is room for it.
#include "board/board.h"
#include "board/events.h"

namespace kalup::board {

void raiseBoard(BoardState& state, Events& events);
bool topRowIsEmpty(const BoardState& state);

} // namespace kalup::board
