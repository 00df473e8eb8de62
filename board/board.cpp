#include "board/board.h"

namespace kalup::board {


void clearBoard(BoardState& state)
{
    for (auto& row : state.board)
        for (Cell& cell : row)
            cell.kind = KIND_EMPTY;
    for (Cell& slot : state.feedRow)
        slot.kind = KIND_EMPTY;
}

CellPos cellUnderPointer(int x, int y)
{
    // The row bands sit 16 units above the drawn cells: the cursor image
    // hangs its tip 16 units below the mouse, and the bands follow the tip.
    CellPos cell{(y + 4) / 64, (x - 16) / 64};
    if (cell.col < 0)
        cell.col = 0;
    if (cell.col > COLS - 1)
        cell.col = COLS - 1;
    if (cell.row < 0)
        cell.row = 0;
    if (cell.row > ROWS - 1)
        cell.row = ROWS - 1;
    return cell;
}

void saveBoard(BoardState& state)
{
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            state.boardBackup[row][col] = state.board[row][col];
}

void restoreBoard(BoardState& state)
{
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            state.board[row][col] = state.boardBackup[row][col];
}

} // namespace kalup::board
