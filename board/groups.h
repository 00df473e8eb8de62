#pragma once
// Hovering and clicking groups of like pieces.
#include "board/board.h"
#include "board/clicks.h"
#include "board/events.h"

namespace kalup::board {

// Returns the points the input scored: the square of a removed group's size.
int handleBoardInput(BoardState& state, const BoardInput& input, Events& events);
int markIfSame(BoardState& state, int row, int col, int kind);

} // namespace kalup::board
