#pragma once
// Hovering and clicking groups of like pieces.

namespace kalup::board {

extern int groupCount;
extern double lastClickTime;

void handleBoardInput();
int markIfSame(int row, int col, int kind);
// True for a left button held at least 0.4 s after the last accepted click.
bool acceptClick();
void liftBoard();

} // namespace kalup::board
