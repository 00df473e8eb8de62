#include "board/falling.h"

#include "board/board.h"
#include "board/play.h"
#include "board/specials.h"

namespace kalup::board {

namespace {

// A drop bomb goes off wherever it lies above the bottom row, whether or
// not it could fall further; the feed piece over its column is lost.
void detonateDropBomb(BoardState& state, int row, int col, Events& events)
{
    state.feedRow[col].kind = KIND_EMPTY;
    state.board[row][col].kind = KIND_EMPTY;
    events.playSound(Sound::DropBombBlast);
    blastAt(state, row, col, events);
}

// The piece takes the stale y of the cell it enters, less 64: however far
// it falls in one pass, it glides only the last 64 units into place.
void fallInto(Cell& upper, Cell& lower)
{
    lower.kind = upper.kind;
    lower.y -= 64;
    lower.size = 64;
    upper.kind = KIND_EMPTY;
}

// Downwards, so a piece that fell into the next row is visited again there
// and falls through every gap in this pass. Returns whether the pass changed
// the board; piecesFell is set when a piece moved.
bool gravityPass(BoardState& state, bool& piecesFell, Events& events)
{
    bool changed = false;
    for (int row = 0; row < ROWS - 1; ++row)
        for (int col = 0; col < COLS; ++col) {
            Cell& upper = state.board[row][col];
            if (upper.kind == KIND_EMPTY)
                continue;
            if (upper.kind == KIND_DROP_BOMB) {
                detonateDropBomb(state, row, col, events);
                changed = true;
                continue;
            }
            Cell& lower = state.board[row + 1][col];
            if (lower.kind == KIND_EMPTY) {
                fallInto(upper, lower);
                piecesFell = true;
                changed = true;
            }
        }
    return changed;
}

} // namespace

void settleBoard(BoardState& state, Events& events)
{
    // A downward sweep lets a piece fall through every gap below it, but the
    // pieces above it, and above a blasted cell, were visited before the gap
    // opened; the sweep is repeated until the board stays still, so a whole
    // stack settles in this one call and the board is never judged
    // half-fallen.
    bool piecesFell = false;
    while (gravityPass(state, piecesFell, events)) {
    }
    if (piecesFell)
        events.playSound(Sound::PiecesFell);
    if (state.gameMode == play::MODE_CLASSIC || state.gameMode == play::MODE_REMOVE_TWO)
        compactColumns(state, events);
}

void compactColumns(BoardState& state, Events& events)
{
    // Only the bottom cell says a column is empty, and column 11 is never
    // the gap; one column closes per call.
    int gap = -1;
    for (int col = 0; col < COLS - 1 && gap < 0; ++col)
        if (state.board[ROWS - 1][col].kind == KIND_EMPTY)
            gap = col;
    if (gap < 0)
        return;

    bool moved = false;
    for (int row = ROWS - 1; row >= 0; --row)
        for (int col = gap; col < COLS - 1; ++col) {
            Cell& to = state.board[row][col];
            Cell& from = state.board[row][col + 1];
            to.kind = from.kind;
            // The piece starts where it stood and glides 64 units left.
            to.x = homeXOf(col + 1);
            from.kind = KIND_EMPTY;
            if (to.kind != KIND_EMPTY)
                moved = true;
        }
    if (moved)
        events.playSound(Sound::ColumnClosed);
}

} // namespace kalup::board
