#include "board/board.h"

namespace kalup::board {

Board board;
Board boardBackup;
Cell feedRow[COLS];
Board ghostLayer;

float boardAlpha = 0.0f;
const int cellMoveStep = 8;
double cellAnimTime = 0.0;
bool boardCleared = false;

void clearBoard()
{
    for (auto& row : board)
        for (Cell& cell : row)
            cell.kind = KIND_EMPTY;
    for (Cell& slot : feedRow)
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

void saveBoard()
{
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            boardBackup[row][col] = board[row][col];
}

void restoreBoard()
{
    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col)
            board[row][col] = boardBackup[row][col];
}

} // namespace kalup::board
