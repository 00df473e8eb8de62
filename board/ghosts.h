#pragma once
// The fading images removed pieces leave behind.
#include "board/board.h"

namespace kalup::board {

// A ghost keeps the kind of the piece it was: the view draws a bomb's ghost
// as the flash of its blast.
void spawnGhost(BoardState& state, int row, int col, int kind);
// Grows and fades the ghosts for the next frame, after this one drew them.
void fadeGhosts(BoardState& state);

} // namespace kalup::board
