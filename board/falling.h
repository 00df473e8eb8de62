#pragma once
// Gravity and column compaction.
#include "board/board.h"
#include "board/events.h"

namespace kalup::board {

void settleBoard(BoardState& state, Events& events);
void compactColumns(BoardState& state, Events& events);

} // namespace kalup::board
