#include "board/board.h"

#include "render/quad_batch.h"

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
    static draw::QuadBatch ghosts;
    for (auto& row : ghostLayer)
        for (Cell& ghost : row) {
            if (ghost.fade <= 0.0f)
                continue;
            const float half = static_cast<float>(ghost.size) / 2;
            ghosts.add(ghost.texture, static_cast<float>(ghost.x), static_cast<float>(ghost.y), half, half, 0.0f,
                draw::sheetFrame(ghost.frame), {1.0f, 1.0f, 1.0f, ghost.fade});
            // Ghosts use all 16 frames, grow and fade out over 36 frames.
            ghost.frame = ghost.frame < 15 ? ghost.frame + 1 : 0;
            ghost.size += 2;
            ghost.fade -= 0.028f;
        }
    ghosts.draw();
}

} // namespace kalup::board
