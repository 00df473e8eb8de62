#include "board/board.h"

#include "render/draw.h"

namespace kalup::board {

void spawnGhost(int row, int col)
{
    Cell& ghost = ghostLayer[row][col];
    const Cell& cell = board[row][col];
    // A bomb leaves the flash of its blast rather than its own picture.
    ghost.texture = cell.texture == textures::texPieces[KIND_BOMB] ? textures::texBurstAlt : cell.texture;
    ghost.x = cell.x;
    ghost.y = cell.y;
    ghost.size = cell.size;
    ghost.fade = 1.0f;
    // The frame carries on from whatever the slot last showed.
}

void updateGhosts()
{
    for (auto& row : ghostLayer)
        for (Cell& ghost : row) {
            if (ghost.fade <= 0.0f)
                continue;
            const float side = static_cast<float>(ghost.size);
            draw::drawSheetFrame(ghost.texture, static_cast<float>(ghost.x),
                static_cast<float>(ghost.y), side, side, ghost.frame, 0.0f, ghost.fade);
            // Ghosts use all 16 frames, grow and fade out over 36 frames.
            ghost.frame = ghost.frame < 15 ? ghost.frame + 1 : 0;
            ghost.size += 2;
            ghost.fade -= 0.028f;
        }
}

} // namespace kalup::board
