#include "board/board.h"

#include "platform/pointer.h"

namespace kalup::board {

Board board;
Board boardBackup;
Cell feedRow[COLS];
Board ghostLayer;

int hoverCol = 0;
int hoverRow = 0;
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

void mouseToCell()
{
    // The row bands sit 16 units above the drawn cells: the cursor image
    // hangs its tip 16 units below the mouse, and the bands follow the tip.
    hoverCol = (pointer::mouseX - 16) / 64;
    hoverRow = (pointer::mouseY + 4) / 64;
    if (hoverCol < 0)
        hoverCol = 0;
    if (hoverCol > COLS - 1)
        hoverCol = COLS - 1;
    if (hoverRow < 0)
        hoverRow = 0;
    if (hoverRow > ROWS - 1)
        hoverRow = ROWS - 1;
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
