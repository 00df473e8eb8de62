#pragma once
// The pieces' glide home, relaxing size and animation frames.
#include "board/board.h"

namespace kalup::board {

// Glides, relaxes and animates the pieces for one frame; `shown` receives
// every cell as this frame draws it, between the relaxing and the frame step.
void animateBoard(BoardState& state, double now, Board& shown);

} // namespace kalup::board
