#include "board/animation.h"

#include "board/board.h"

namespace kalup::board {

namespace {

// Both tests run in the same frame on purpose: a distance that is not a
// multiple of 8 ends in a +8/-8 swing, which is why dealt pieces rest at
// homeY - 4 and lifted ones exactly at home.
void glide(int& position, int home)
{
    if (position < home)
        position += CELL_MOVE_STEP;
    if (position > home)
        position -= CELL_MOVE_STEP;
}

// Hovered pieces grow by 2 a frame against this 1, so they settle near 96.
void relax(int& size)
{
    if (size > 64)
        size -= 1;
    if (size < 64)
        size += 1;
}

} // namespace

void animateBoard(BoardState& state, double now, Board& shown)
{
    if (state.boardAlpha < 1.0f)
        state.boardAlpha += 0.01f;

    if (!state.boardCleared)
        for (auto& row : state.board)
            for (Cell& cell : row) {
                glide(cell.x, cell.homeX);
                glide(cell.y, cell.homeY);
            }

    const bool frameDue = now > state.cellAnimTime + 0.03;
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = state.board[row][col];
            // Empty cells relax too; pieces that fall into them take over
            // these fields.
            relax(cell.size);
            shown[row][col] = cell;
            if (cell.kind < 0)
                continue;
            // Only enlarged (hovered or arriving) pieces animate; board
            // pieces cycle through frames 0..14.
            if (cell.size > 66 && frameDue) {
                state.cellAnimTime = now;
                if (++cell.frame == 15)
                    cell.frame = 0;
            }
        }
}

} // namespace kalup::board
