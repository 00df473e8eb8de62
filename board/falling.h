#pragma once
// Gravity, column compaction, the feed row and the rising board.

namespace kalup::board {

extern bool feedActive;

void settleBoard();
void compactColumns();
void generateFeedRow();
void drawFeedRow();
void dropFeedRow();
void raiseBoard();
bool topRowIsEmpty();

} // namespace kalup::board
