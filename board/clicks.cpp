#include "board/board.h"
#include "board/groups.h"


namespace kalup::board {

double lastClickTime = 0.0;

bool acceptClick(const BoardInput& input)
{
    // Held down, the button is a new click every 0.4 s.
    if (input.now > lastClickTime + 0.4 && input.pressed) {
        lastClickTime = input.now;
        return true;
    }
    return false;
}

void lockClicksFrom(double now) { lastClickTime = now; }

void liftBoard()
{
    // Every cell, empty ones too, jumps two glide steps above its home and
    // drops back over the next two frames.
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            board[row][col].y = homeYOf(row) - 2 * cellMoveStep;
}

void swell(Cell& cell)
{
    if (cell.size < HOVER_SIZE)
        cell.size += 2;
}

} // namespace kalup::board
