#include "board/moves.h"

#include "board/board.h"
#include "board/play.h"

namespace kalup::board {

namespace {

int kindAt(const BoardState& state, int row, int col) { return state.board[row][col].kind; }

// Bombs and paint pieces are a move on their own.
bool actsAlone(int kind) { return kind == KIND_BOMB || (kind >= KIND_PAINT_0 && kind <= KIND_PAINT_3); }

// The scan below is a fixed list of cells and neighbours, not a search:
// row 0 and column 11 are only seen as neighbours, and that is the rule.
bool interiorHasMove(const BoardState& state)
{
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= 10; ++col) {
            const int a = kindAt(state, row, col);
            if (a == KIND_EMPTY)
                continue;
            if (actsAlone(a) || a == kindAt(state, row, col + 1) || a == kindAt(state, row - 1, col)
                || a == kindAt(state, row + 1, col) || a == kindAt(state, row, col - 1))
                return true;
        }
    return false;
}

bool bottomRowHasMove(const BoardState& state)
{
    for (int col = 1; col <= 10; ++col) {
        const int a = kindAt(state, 8, col);
        if (a == KIND_EMPTY)
            continue;
        if (actsAlone(a) || a == kindAt(state, 8, col - 1) || a == kindAt(state, 7, col)
            || a == kindAt(state, 8, col + 1))
            return true;
    }
    return false;
}

bool leftColumnHasMove(const BoardState& state)
{
    for (int row = 7; row >= 1; --row) {
        const int a = kindAt(state, row, 0);
        if (actsAlone(a))
            return true;
        if (a != KIND_EMPTY
            && (a == kindAt(state, row + 1, 0) || a == kindAt(state, row, 1) || a == kindAt(state, row - 1, 0)))
            return true;
    }
    return false;
}

// Compared on raw kinds, empty or not: an empty corner beside an empty
// cell counts as a move, so an empty board, or one whose first column is
// closing, is never "no more moves".
bool bottomLeftCornerHasMove(const BoardState& state)
{
    const int a = kindAt(state, 8, 0);
    return a == kindAt(state, 7, 0) || a == kindAt(state, 8, 1) || actsAlone(a);
}

// A column the feed can still fill is a move in remove-two.
bool topRowHasMove(const BoardState& state)
{
    for (int col = 0; col <= 10; ++col) {
        if (kindAt(state, 8, col) >= 0 && kindAt(state, 0, col) == KIND_EMPTY)
            return true;
        if (actsAlone(kindAt(state, 0, col)))
            return true;
    }
    return false;
}

} // namespace

bool movesAvailable(const BoardState& state)
{
    if (interiorHasMove(state) || bottomRowHasMove(state) || leftColumnHasMove(state)
        || bottomLeftCornerHasMove(state))
        return true;
    return state.gameMode == play::MODE_REMOVE_TWO && topRowHasMove(state);
}

bool boardIsEmpty(const BoardState& state)
{
    for (const auto& row : state.board)
        for (const Cell& cell : row)
            if (cell.kind != KIND_EMPTY)
                return false;
    return true;
}

} // namespace kalup::board
