#pragma once
// Bombs, drop bombs and paint pieces.
#include "board/board.h"
#include "board/clicks.h"
#include "board/events.h"

namespace kalup::board {

void clickBomb(BoardState& state, const BoardInput& input, Events& events);
void clickPaint(BoardState& state, const BoardInput& input);
void blastAt(BoardState& state, int row, int col, Events& events);
void detonateCell(BoardState& state, int row, int col, Events& events);
void paintAround(BoardState& state, int row, int col, int kind);
void queuePaint(BoardState& state, int row, int col, int kind);
void paintStep(BoardState& state, Events& events);

} // namespace kalup::board
