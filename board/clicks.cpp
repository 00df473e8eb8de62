#include "board/clicks.h"

#include "board/board.h"

namespace kalup::board {

bool acceptClick(BoardState& state, const BoardInput& input)
{
    // Held down, the button is a new click every 0.4 s.
    if (input.now > state.lastClickTime + 0.4 && input.pressed) {
        state.lastClickTime = input.now;
        return true;
    }
    return false;
}

void lockClicksFrom(BoardState& state, double now) { state.lastClickTime = now; }

void liftBoard(BoardState& state)
{
    // Every cell, empty ones too, jumps two glide steps above its home and
    // drops back over the next two frames.
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            state.board[row][col].y = homeYOf(row) - 2 * CELL_MOVE_STEP;
}

void swell(Cell& cell)
{
    if (cell.size < HOVER_SIZE)
        cell.size += 2;
}

} // namespace kalup::board
