#include "board/deal.h"

#include "board/board.h"
#include "board/play.h"
#include "platform/random.h"

namespace kalup::board {

namespace {

int dealtKind(BoardState& state, int row, int colours)
{
    switch (state.gameMode) {
    case play::MODE_REMOVE_TWO:
        return random::rand() % colours;
    case play::MODE_CLASSIC:
        // Three colours with a rare special piece, 1 in 200 for each kind.
        return dealPieceKind(200, 3);
    case play::MODE_SURVIVAL:
        // Survival starts with the three bottom rows only.
        if (homeYOf(row) > 364)
            return random::rand() % colours;
        return KIND_EMPTY;
    default:
        return KIND_EMPTY;
    }
}

} // namespace

int dealPieceKind(int range, int colours)
{
    switch (random::rand() % range) {
    case 15: return KIND_PAINT_3;
    case 25: return KIND_BOMB;
    case 52: return KIND_PAINT_0;
    case 75: return KIND_PAINT_1;
    case 85: return KIND_PAINT_2;
    default: return random::rand() % colours;
    }
}

void fillBoard(BoardState& state, int colours)
{
    // The first value is thrown away; the order of the draws below fixes
    // which board a seed deals.
    random::rand();
    for (int row = 0; row < ROWS; ++row) {
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = state.board[row][col];
            cell.kind = dealtKind(state, row, colours);
            cell.homeX = homeXOf(col);
            cell.homeY = homeYOf(row);
            // Pieces fly in from a 64-unit lattice, partly off screen.
            cell.x = 64 * (random::rand() % 16);
            cell.y = 64 * (random::rand() % 16);
            // ...and arrive enlarged, shrinking to 64.
            cell.size = 64 + random::rand() % 128;
            cell.fade = 0.0f;
            cell.frame = 0;
        }
    }
}

} // namespace kalup::board
