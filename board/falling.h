#pragma once
// Gravity, column compaction, the feed row and the rising board.
#include "board/events.h"

namespace kalup::board {

extern bool feedActive;

void settleBoard(Events& events);
void compactColumns(Events& events);
void generateFeedRow();
void drawFeedRow();
void dropFeedRow(Events& events);
void raiseBoard(Events& events);
bool topRowIsEmpty();

} // namespace kalup::board
