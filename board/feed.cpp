#include "board/feed.h"

#include "board/board.h"
#include "board/deal.h"
#include "platform/random.h"

namespace kalup::board {

namespace {

constexpr int FEED_WAIT_Y = 12;
constexpr int FEED_FALL_STEP = 16;

// Colours 0..2 with rare specials, and over all a 1 in 50 drop bomb.
int feedKind()
{
    const int kind = dealPieceKind(100, 3);
    return random::rand() % 50 == 5 ? KIND_DROP_BOMB : kind;
}

// The cell a falling piece is entering: the row changes as the piece
// passes the home of the row above.
int enteringRow(const Cell& slot)
{
    const int row = (slot.y + 20) / 64;
    return row < 0 ? 0 : (row > ROWS - 1 ? ROWS - 1 : row);
}

int enteringCol(const Cell& slot)
{
    const int col = (slot.x - 16) / 64;
    return col < 0 ? 0 : (col > COLS - 1 ? COLS - 1 : col);
}

// Normally the cell just above the occupied one, where the piece now is, so
// the hand-over does not show. A column shifted under the falling piece by
// closing a column may hold pieces there too: the piece then goes on top of
// the stack rather than over one of them. -1 for a full column.
int landingRowAbove(BoardState& state, int row, int col)
{
    int landing = row - 1;
    while (landing >= 0 && state.board[landing][col].kind != KIND_EMPTY)
        --landing;
    return landing;
}

// Returns false while the piece is still falling.
bool stepFeedPiece(BoardState& state, Cell& slot, Events& events)
{
    const int row = enteringRow(slot);
    const int col = enteringCol(slot);
    if (slot.kind == KIND_DROP_BOMB)
        events.playSound(Sound::DropBombFalling);
    if (slot.kind == KIND_EMPTY)
        return true;

    Cell& entered = state.board[row][col];
    if (entered.kind == KIND_EMPTY && slot.y < entered.homeY) {
        slot.y += FEED_FALL_STEP;
        return false;
    }
    if (slot.y >= entered.homeY) {
        // The column emptied after the deal: the piece drops out of sight.
        events.playSound(Sound::FeedPieceLost);
        slot.kind = KIND_EMPTY;
        slot.y = 0;
    } else {
        const int landingRow = landingRowAbove(state, row, col);
        if (landingRow >= 0) {
            Cell& landing = state.board[landingRow][col];
            landing.kind = slot.kind;
            landing.frame = 0;
            slot.kind = KIND_EMPTY;
        }
        // Otherwise the column filled up since the deal: the piece waits on
        // top and is dropped by the next deal.
    }
    return true;
}

} // namespace

void generateFeedRow(BoardState& state)
{
    state.feedActive = false;
    for (int col = 0; col < COLS; ++col) {
        Cell& slot = state.feedRow[col];
        // Empty and full columns get no piece.
        if (state.board[ROWS - 1][col].kind == KIND_EMPTY || state.board[0][col].kind != KIND_EMPTY)
            slot.kind = KIND_EMPTY;
        else
            slot.kind = feedKind();
        slot.x = homeXOf(col);
        slot.y = FEED_WAIT_Y;
        slot.size = 66;
        slot.frame = 0;
    }
}

void animateFeedRow(BoardState& state)
{
    for (Cell& slot : state.feedRow) {
        if (slot.kind < 0)
            continue;
        if (slot.size > 64)
            slot.size -= 1;
        // Only the special pieces animate in the feed, over all 16 frames.
        if (slot.kind >= KIND_DROP_BOMB && ++slot.frame > 15)
            slot.frame = 0;
    }
}

void dropFeedRow(BoardState& state, Events& events)
{
    if (!state.feedActive)
        return;
    bool allLanded = true;
    for (Cell& slot : state.feedRow)
        if (!stepFeedPiece(state, slot, events))
            allLanded = false;
    if (allLanded)
        generateFeedRow(state);
}

} // namespace kalup::board
