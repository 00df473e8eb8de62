#pragma once
// The board: 9 rows of 12 cells, the feed row above it and the ghosts of
// removed pieces, and the cell under the pointer. A cell's picture follows
// from its kind; the views draw it.
#include <vector>

#include "board/play.h"

namespace kalup::board {

inline constexpr int ROWS = 9;
inline constexpr int COLS = 12;

// Cell kinds.
inline constexpr int KIND_EMPTY = -99;
inline constexpr int KIND_MARKED = -2;
// 0..3 are the four colours.
inline constexpr int KIND_BOMB = 4;
inline constexpr int KIND_DROP_BOMB = 5;
inline constexpr int KIND_PAINT_0 = 6;
inline constexpr int KIND_PAINT_1 = 7;
inline constexpr int KIND_PAINT_2 = 8;
inline constexpr int KIND_PAINT_3 = 9;

struct Cell {
    int x;
    int y;
    int size;
    int kind;
    int homeX;
    int homeY;
    float fade;
    int frame;
};

using Board = Cell[ROWS][COLS];

// What a piece glides by in a frame.
inline constexpr int CELL_MOVE_STEP = 8;

inline constexpr int homeXOf(int col) { return 48 + 64 * col; }
inline constexpr int homeYOf(int row) { return 44 + 64 * row; }

struct CellPos {
    int row;
    int col;
};

// The cell under a pointer at (x, y) of the screen, the nearest one when the
// pointer is off the board.
CellPos cellUnderPointer(int x, int y);

// Everything on and around the board of one round, and the mode it is
// played in, which decides how the board is dealt and settled. The round
// owns it and hands it to every rule of the board.
struct BoardState {
    Board board{};
    // The board as it stood before the click being handled.
    Board boardBackup{};
    Cell feedRow[COLS]{};
    Board ghostLayer{};
    int gameMode = play::MODE_CLASSIC;
    float boardAlpha = 0.0f;
    // When an enlarged piece last stepped its animation frame.
    double cellAnimTime = 0.0;
    // Set by the round's step when it finds the board empty; a new round clears it.
    bool boardCleared = false;
    // The feed row is falling.
    bool feedActive = false;
    // The pieces marked around the clicked one, the clicked one not counted.
    int groupCount = 0;
    // The time of the last accepted click, or of the round start.
    double lastClickTime = 0.0;
    // Three entries per queued paint: kind, row, column; popped in reverse.
    std::vector<int> paintQueue;
};

void clearBoard(BoardState& state);
void saveBoard(BoardState& state);
void restoreBoard(BoardState& state);

} // namespace kalup::board
