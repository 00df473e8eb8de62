#pragma once
// The feed row of remove-two: dealt over the board, released by the round's
// timer, falling 16 units a frame into the columns.
#include "board/board.h"
#include "board/events.h"

namespace kalup::board {

void generateFeedRow(BoardState& state);
// Shrinks the waiting pieces and animates the special ones; the frame that
// calls it draws the row as this leaves it.
void animateFeedRow(BoardState& state);
void dropFeedRow(BoardState& state, Events& events);

} // namespace kalup::board
