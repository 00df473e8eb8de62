#include "board/groups.h"

#include <cmath>

#include "board/board.h"
#include "board/play.h"
#include "board/specials.h"

namespace kalup::board {

int groupCount = 0;

namespace {

// The group grows by a fixed number of sweeps, not by a search: a long
// winding group is cut where the sweeps run out, and that is the rule.
constexpr int MARKING_PASSES = 31;

void mark(int row, int col, int kind) { groupCount += markIfSame(row, col, kind); }

bool marked(int row, int col) { return board[row][col].kind == KIND_MARKED; }

// One pass. Each sweep also examines cells it marked itself further along,
// so marks run freely in a sweep's direction and one step against it.
void markingPass(int kind)
{
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= 10; ++col)
            if (marked(row, col)) {
                mark(row, col + 1, kind);
                mark(row, col - 1, kind);
                mark(row + 1, col, kind);
                mark(row - 1, col, kind);
            }
    for (int row = 1; row <= 7; ++row)
        if (marked(row, 0)) {
            mark(row, 1, kind);
            mark(row - 1, 0, kind);
            mark(row + 1, 0, kind);
        }
    for (int row = 8; row >= 1; --row)
        if (marked(row, 11)) {
            mark(row, 10, kind);
            mark(row - 1, 11, kind);
            mark(row + 1, 11, kind);
        }
    for (int col = 1; col <= 10; ++col)
        if (marked(0, col)) {
            mark(1, col, kind);
            mark(0, col - 1, kind);
            mark(0, col + 1, kind);
        }
    for (int col = 11; col >= 1; --col)
        if (marked(8, col)) {
            mark(7, col, kind);
            mark(8, col + 1, kind);
            mark(8, col - 1, kind);
        }
    if (marked(0, 0)) {
        mark(1, 0, kind);
        mark(0, 1, kind);
    }
    if (marked(8, 0)) {
        mark(7, 0, kind);
        mark(8, 1, kind);
    }
    if (marked(8, 11)) {
        mark(7, 11, kind);
        mark(8, 10, kind);
    }
    if (marked(0, 11)) {
        mark(0, 10, kind);
        mark(1, 11, kind);
    }
}

// Groups of two to ten pieces are counted aloud; bigger ones get the laugh.
Sound groupVoice()
{
    const int pieces = groupCount + 1;
    if (pieces > 10)
        return Sound::VoiceLaugh;
    return static_cast<Sound>(static_cast<int>(Sound::VoiceTwo) + pieces - 2);
}

void removeMarked(int row, int col, int kind, Events& events)
{
    Cell& cell = board[row][col];
    events.pieceBurst(cell.x, cell.y, kind);
    cell.kind = KIND_EMPTY;
    spawnGhost(row, col, kind);
}

} // namespace

int markIfSame(int row, int col, int kind)
{
    if (row < 0 || row >= ROWS || col < 0 || col >= COLS)
        return 0;
    Cell& cell = board[row][col];
    if (cell.kind != kind || cell.kind < 0)
        return 0;
    cell.kind = KIND_MARKED;
    return 1;
}

void handleBoardInput(const BoardInput& input, Events& events)
{
    Cell& clicked = board[input.hover.row][input.hover.col];
    if (clicked.kind == KIND_EMPTY)
        return;
    saveBoard();
    if (clicked.kind == KIND_BOMB) {
        clickBomb(input, events);
        return;
    }
    if (clicked.kind >= KIND_PAINT_0 && clicked.kind <= KIND_PAINT_3) {
        clickPaint(input);
        return;
    }

    const int kind = clicked.kind;
    groupCount = 0;
    clicked.kind = KIND_MARKED;
    for (int pass = 0; pass < MARKING_PASSES; ++pass)
        markingPass(kind);

    // Asked before the group is looked at: a click on a lone piece is spent
    // and restarts the lock-out.
    const bool accepted = acceptClick(input);
    if (groupCount < 1) {
        restoreBoard();
        return;
    }
    if (accepted)
        play::score = static_cast<int>(play::score + std::pow(groupCount + 1, 2.0));

    for (int row = 0; row < ROWS; ++row)
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = board[row][col];
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
            events.playSound(groupVoice());
            if (groupCount <= 9)
                liftBoard();
            events.playSound(Sound::GroupRemoved);
            if (cell.kind == KIND_MARKED)
                removeMarked(row, col, kind, events);
        }
    saveBoard();
}

} // namespace kalup::board
