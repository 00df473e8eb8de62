#include "board/board.h"
#include "board/groups.h"

#include "platform/keys.h"
#include "platform/seam.h"

namespace kalup::board {

double lastClickTime = 0.0;

namespace {

// Enter is a press of the button for the one frame it goes down.
bool buttonDown() { return seam::leftButtonDown() || keys::wentDown(seam::Key::Enter); }

} // namespace

bool acceptClick()
{
    // Held down, the button is a new click every 0.4 s.
    const double now = seam::now();
    if (now > lastClickTime + 0.4 && buttonDown()) {
        lastClickTime = now;
        return true;
    }
    return false;
}

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
