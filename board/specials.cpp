#include "board/specials.h"

#include "board/board.h"
#include "board/clicks.h"
#include "board/ghosts.h"

namespace kalup::board {

namespace {

// The cross of radius 2, always visited in this order.
constexpr int CROSS[9][2] = {
    {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0},
};

bool onBoard(int row, int col) { return row >= 0 && row < ROWS && col >= 0 && col < COLS; }

} // namespace

void clickBomb(BoardState& state, const BoardInput& input, Events& events)
{
    const int row = input.hover.row;
    const int col = input.hover.col;
    if (acceptClick(state, input)) {
        // The bomb is still on the board as its blast starts, so its own
        // cell sets off a second blast: that is how a clicked bomb goes off.
        blastAt(state, row, col, events);
        events.playSound(Sound::BombBlast);
        liftBoard(state);
    } else {
        swell(state.board[row][col]);
    }
}

void clickPaint(BoardState& state, const BoardInput& input)
{
    const int row = input.hover.row;
    const int col = input.hover.col;
    if (acceptClick(state, input)) {
        paintAround(state, row, col, state.board[row][col].kind);
        liftBoard(state);
    } else {
        swell(state.board[row][col]);
    }
}

void blastAt(BoardState& state, int row, int col, Events& events)
{
    events.stopSound(Sound::DropBombFalling);
    for (const auto& step : CROSS)
        detonateCell(state, row + step[0], col + step[1], events);
}

void detonateCell(BoardState& state, int row, int col, Events& events)
{
    if (!onBoard(row, col))
        return;
    Cell& cell = state.board[row][col];
    // Every cell of the cross flashes, empty or not.
    events.blastFlash(cell.homeX, cell.homeY);
    if (cell.kind == KIND_EMPTY)
        return;
    spawnGhost(state, row, col, cell.kind);
    if (cell.kind == KIND_BOMB || cell.kind == KIND_DROP_BOMB) {
        // Emptied before its own blast, so a chain ends at every bomb.
        cell.kind = KIND_EMPTY;
        blastAt(state, row, col, events);
    }
    cell.kind = KIND_EMPTY;
}

void paintAround(BoardState& state, int row, int col, int kind)
{
    for (const auto& step : CROSS)
        queuePaint(state, row + step[0], col + step[1], kind);
}

void queuePaint(BoardState& state, int row, int col, int kind)
{
    if (!onBoard(row, col) || state.board[row][col].kind == KIND_EMPTY)
        return;
    state.paintQueue.push_back(kind);
    state.paintQueue.push_back(row);
    state.paintQueue.push_back(col);
}

void paintStep(BoardState& state, Events& events)
{
    if (state.paintQueue.empty())
        return;
    events.playSound(Sound::PiecePainted);
    const int col = state.paintQueue.back();
    state.paintQueue.pop_back();
    const int row = state.paintQueue.back();
    state.paintQueue.pop_back();
    const int kind = state.paintQueue.back();
    state.paintQueue.pop_back();
    // The cell is not looked at again: whatever lies there now, even
    // nothing, becomes a plain piece of the paint colour, popping up small.
    Cell& cell = state.board[row][col];
    cell.kind = kind - KIND_PAINT_0;
    cell.size = 16;
}

} // namespace kalup::board
