#pragma once
// Hovering and clicking groups of like pieces.
#include "board/board.h"
#include "board/events.h"

namespace kalup::board {

// A hovered piece grows by 2 a frame up to this size, against the 1 a frame
// every piece relaxes by, so it settles near it.
inline constexpr int HOVER_SIZE = 96;

extern int groupCount;
extern double lastClickTime;

void handleBoardInput(Events& events);
int markIfSame(int row, int col, int kind);
// True for a left button held, or Enter gone down this frame, at least 0.4 s
// after the last accepted click.
bool acceptClick();
void liftBoard();
// The hover highlight of a group's piece, or of a lone bomb or paint piece.
void swell(Cell& cell);

} // namespace kalup::board
