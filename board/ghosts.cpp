#include "board/ghosts.h"

#include "board/board.h"

namespace kalup::board {

void spawnGhost(BoardState& state, int row, int col, int kind)
{
    Cell& ghost = state.ghostLayer[row][col];
    const Cell& cell = state.board[row][col];
    ghost.kind = kind;
    ghost.x = cell.x;
    ghost.y = cell.y;
    ghost.size = cell.size;
    ghost.fade = 1.0f;
    // The frame carries on from whatever the slot last showed.
}

void fadeGhosts(BoardState& state)
{
    for (auto& row : state.ghostLayer)
        for (Cell& ghost : row) {
            if (ghost.fade <= 0.0f)
                continue;
            // Ghosts use all 16 frames, grow and fade out over 36 frames.
            ghost.frame = ghost.frame < 15 ? ghost.frame + 1 : 0;
            ghost.size += 2;
            ghost.fade -= 0.028f;
        }
}

} // namespace kalup::board
