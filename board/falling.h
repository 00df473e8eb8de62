#pragma once
// Gravity, column compaction, the feed row and the rising board.
#include "board/events.h"

namespace kalup::board {

extern bool feedActive;

void settleBoard(Events& events);
void compactColumns(Events& events);
void generateFeedRow();
// Shrinks the waiting pieces and animates the special ones; the frame that
// calls it draws the row as this leaves it.
void animateFeedRow();
void dropFeedRow(Events& events);
void raiseBoard(Events& events);
bool topRowIsEmpty();

} // namespace kalup::board
