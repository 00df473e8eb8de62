#include "board/groups.h"

#include <cmath>

#include "board/board.h"
#include "board/clicks.h"
#include "board/ghosts.h"
#include "board/specials.h"

namespace kalup::board {

namespace {

// The group grows by a fixed number of sweeps, not by a search: a long
// winding group is cut where the sweeps run out, and that is the rule.
constexpr int MARKING_PASSES = 31;

void mark(BoardState& state, int row, int col, int kind) { state.groupCount += markIfSame(state, row, col, kind); }

bool marked(BoardState& state, int row, int col) { return state.board[row][col].kind == KIND_MARKED; }

// One pass. Each sweep also examines cells it marked itself further along,
// so marks run freely in a sweep's direction and one step against it.
void markingPass(BoardState& state, int kind)
{
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= 10; ++col)
            if (marked(state, row, col)) {
                mark(state, row, col + 1, kind);
                mark(state, row, col - 1, kind);
                mark(state, row + 1, col, kind);
                mark(state, row - 1, col, kind);
            }
    for (int row = 1; row <= 7; ++row)
        if (marked(state, row, 0)) {
            mark(state, row, 1, kind);
            mark(state, row - 1, 0, kind);
            mark(state, row + 1, 0, kind);
        }
    for (int row = 8; row >= 1; --row)
        if (marked(state, row, 11)) {
            mark(state, row, 10, kind);
            mark(state, row - 1, 11, kind);
            mark(state, row + 1, 11, kind);
        }
    for (int col = 1; col <= 10; ++col)
        if (marked(state, 0, col)) {
            mark(state, 1, col, kind);
            mark(state, 0, col - 1, kind);
            mark(state, 0, col + 1, kind);
        }
    for (int col = 11; col >= 1; --col)
        if (marked(state, 8, col)) {
            mark(state, 7, col, kind);
            mark(state, 8, col + 1, kind);
            mark(state, 8, col - 1, kind);
        }
    if (marked(state, 0, 0)) {
        mark(state, 1, 0, kind);
        mark(state, 0, 1, kind);
    }
    if (marked(state, 8, 0)) {
        mark(state, 7, 0, kind);
        mark(state, 8, 1, kind);
    }
    if (marked(state, 8, 11)) {
        mark(state, 7, 11, kind);
        mark(state, 8, 10, kind);
    }
    if (marked(state, 0, 11)) {
        mark(state, 0, 10, kind);
        mark(state, 1, 11, kind);
    }
}

// Groups of two to ten pieces are counted aloud; bigger ones get the laugh.
Sound groupVoice(int groupCount)
{
    const int pieces = groupCount + 1;
    if (pieces > 10)
        return Sound::VoiceLaugh;
    return static_cast<Sound>(static_cast<int>(Sound::VoiceTwo) + pieces - 2);
}

void removeMarked(BoardState& state, int row, int col, int kind, Events& events)
{
    Cell& cell = state.board[row][col];
    events.pieceBurst(cell.x, cell.y, kind);
    cell.kind = KIND_EMPTY;
    spawnGhost(state, row, col, kind);
}

} // namespace

int markIfSame(BoardState& state, int row, int col, int kind)
{
    if (row < 0 || row >= ROWS || col < 0 || col >= COLS)
        return 0;
    Cell& cell = state.board[row][col];
    if (cell.kind != kind || cell.kind < 0)
        return 0;
    cell.kind = KIND_MARKED;
    return 1;
}

int handleBoardInput(BoardState& state, const BoardInput& input, Events& events)
{
    Cell& clicked = state.board[input.hover.row][input.hover.col];
    if (clicked.kind == KIND_EMPTY)
        return 0;
    saveBoard(state);
    if (clicked.kind == KIND_BOMB) {
        clickBomb(state, input, events);
        return 0;
    }
    if (clicked.kind >= KIND_PAINT_0 && clicked.kind <= KIND_PAINT_3) {
        clickPaint(state, input);
        return 0;
    }

    const int kind = clicked.kind;
    state.groupCount = 0;
    clicked.kind = KIND_MARKED;
    for (int pass = 0; pass < MARKING_PASSES; ++pass)
        markingPass(state, kind);

    // Asked before the group is looked at: a click on a lone piece is spent
    // and restarts the lock-out.
    const bool accepted = acceptClick(state, input);
    if (state.groupCount < 1) {
        restoreBoard(state);
        return 0;
    }

    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = state.board[row][col];
            if (!accepted) {
                if (cell.kind == KIND_MARKED) {
                    cell.kind = kind;
                    swell(cell);
                }
                continue;
            }
            // Asked at every visit: the sound bank's playback limits make
            // it one voice and two clicks, and the lift acts once. Small
            // groups are lifted before their first piece is removed, so
            // their bursts and ghosts start 16 units above home.
            events.playSound(groupVoice(state.groupCount));
            if (state.groupCount <= 9)
                liftBoard(state);
            events.playSound(Sound::GroupRemoved);
            if (cell.kind == KIND_MARKED)
                removeMarked(state, row, col, kind, events);
        }
    saveBoard(state);
    return accepted ? static_cast<int>(std::pow(state.groupCount + 1, 2.0)) : 0;
}

} // namespace kalup::board
