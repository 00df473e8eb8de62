#pragma once
// The board: 9 rows of 12 cells, the feed row above it and the ghosts of
// removed pieces; dealing, cursor mapping and per-frame animation. A cell's
// picture follows from its kind; the views draw it.

namespace kalup::board {

inline constexpr int ROWS = 9;
inline constexpr int COLS = 12;

// Cell kinds.
inline constexpr int KIND_EMPTY = -99;
inline constexpr int KIND_MARKED = -2;
inline constexpr int KIND_COLOUR_0 = 0;
inline constexpr int KIND_COLOUR_1 = 1;
inline constexpr int KIND_COLOUR_2 = 2;
inline constexpr int KIND_COLOUR_3 = 3;
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

inline constexpr int homeXOf(int col) { return 48 + 64 * col; }
inline constexpr int homeYOf(int row) { return 44 + 64 * row; }

struct CellPos {
    int row;
    int col;
};

// The cell under a pointer at (x, y) of the screen, the nearest one when the
// pointer is off the board.
CellPos cellUnderPointer(int x, int y);

extern Board board;
extern Board boardBackup;
extern Cell feedRow[COLS];
extern Board ghostLayer;

extern float boardAlpha;
extern const int cellMoveStep;
extern double cellAnimTime;
extern bool boardCleared;

void clearBoard();
void fillBoard(int colours);
// The kind of a newly dealt piece: a first draw of 0..range-1 gives a special
// piece on five of its values, otherwise a second draw picks one of the
// colours. The board, the feed row and the rising row all deal this way.
int dealPieceKind(int range, int colours);
void saveBoard();
void restoreBoard();
// Glides, relaxes and animates the pieces for one frame; `shown` receives
// every cell as this frame draws it, between the relaxing and the frame step.
void animateBoard(double now, Board& shown);
// A ghost keeps the kind of the piece it was: the view draws a bomb's ghost
// as the flash of its blast.
void spawnGhost(int row, int col, int kind);
// Grows and fades the ghosts for the next frame, after this one drew them.
void fadeGhosts();

} // namespace kalup::board
