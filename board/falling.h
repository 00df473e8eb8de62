#pragma once
// Gravity, column compaction, the feed row and the rising board.
#include "board/board.h"
#include "board/events.h"

namespace kalup::board {

void settleBoard(BoardState& state, Events& events);
void compactColumns(BoardState& state, Events& events);
void generateFeedRow(BoardState& state);
// Shrinks the waiting pieces and animates the special ones; the frame that
// calls it draws the row as this leaves it.
void animateFeedRow(BoardState& state);
void dropFeedRow(BoardState& state, Events& events);
void raiseBoard(BoardState& state, Events& events);
bool topRowIsEmpty(const BoardState& state);

} // namespace kalup::board
