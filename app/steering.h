#pragma once
// The arrow keys on the board: the pointer steps from cell to cell.
#include "board/board.h"

namespace kalup::steering {

// Where the pointer hovers a cell with the cursor's tip on its centre: the
// tip hangs 16 units below the pointer.
inline constexpr int pointerXOf(int col) { return board::homeXOf(col); }
inline constexpr int pointerYOf(int row) { return board::homeYOf(row) - 16; }

// An arrow struck this frame moves the pointer, and the mouse with it, to the
// neighbour of the hovered cell in the arrow's direction; at the board's
// edges it stays on the edge cell.
void steerPointer();

} // namespace kalup::steering
