#pragma once
// Dealing a round's board in the mode it is played in.
#include "board/board.h"

namespace kalup::board {

void fillBoard(BoardState& state, int colours);
// The kind of a newly dealt piece: a first draw of 0..range-1 gives a special
// piece on five of its values, otherwise a second draw picks one of the
// colours. The board, the feed row and the rising row all deal this way.
int dealPieceKind(int range, int colours);

} // namespace kalup::board
