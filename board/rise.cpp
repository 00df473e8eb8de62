#include "board/rise.h"

#include "board/board.h"
#include "board/deal.h"

namespace kalup::board {

void raiseBoard(BoardState& state, Events& events)
{
    events.playSound(Sound::BoardRose);
    // Row 0 is empty here (the caller checks), so nothing is pushed out.
    for (int row = 0; row < ROWS - 1; ++row)
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = state.board[row][col];
            const Cell& below = state.board[row + 1][col];
            cell.kind = below.kind;
            // Each piece starts where it stood and glides up 64 units.
            cell.y = homeYOf(row + 1);
        }
    for (Cell& cell : state.board[ROWS - 1]) {
        // All four colours and the specials, never a drop bomb.
        cell.kind = dealPieceKind(100, 4);
        // The new row comes in from below the screen.
        cell.y = homeYOf(ROWS - 1) + 64;
    }
}

bool topRowIsEmpty(const BoardState& state)
{
    for (const Cell& cell : state.board[0])
        if (cell.kind != KIND_EMPTY)
            return false;
    return true;
}

} // namespace kalup::board
