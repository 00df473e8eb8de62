#include "board/board.h"
#include "board/falling.h"

#include "data/sound.h"
#include "platform/random.h"

namespace kalup::board {

namespace {

// The rising row brings all four colours and the specials, never a drop bomb.
int risingKind()
{
    switch (random::rand() % 100) {
    case 15: return KIND_PAINT_3;
    case 25: return KIND_BOMB;
    case 52: return KIND_PAINT_0;
    case 75: return KIND_PAINT_1;
    case 85: return KIND_PAINT_2;
    default: return random::rand() % 4;
    }
}

} // namespace

void raiseBoard()
{
    sound::play(sound::snd11);
    // Row 0 is empty here (the caller checks), so nothing is pushed out.
    for (int row = 0; row < ROWS - 1; ++row)
        for (int col = 0; col < COLS; ++col) {
            Cell& cell = board[row][col];
            const Cell& below = board[row + 1][col];
            cell.kind = below.kind;
            cell.texture = below.texture;
            // Each piece starts where it stood and glides up 64 units.
            cell.y = homeYOf(row + 1);
        }
    for (Cell& cell : board[ROWS - 1]) {
        cell.kind = risingKind();
        cell.texture = static_cast<int>(textures::texPieces[cell.kind]);
        // The new row comes in from below the screen.
        cell.y = homeYOf(ROWS - 1) + 64;
    }
}

} // namespace kalup::board
