#include "game/round_view.h"

#include "game/screens.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/quad_batch.h"

namespace kalup::game {

namespace {

void drawBoard(const ShownBoard& shown)
{
    static draw::QuadBatch pieces;
    for (const auto& row : shown.cells)
        for (const board::Cell& cell : row) {
            if (cell.kind < 0)
                continue;
            const float half = static_cast<float>(cell.size + 2) / 2;
            pieces.add(pieceTexture(cell.kind), static_cast<float>(cell.x), static_cast<float>(cell.y), half, half,
                0.0f, draw::sheetFrame(cell.frame), {1.0f, 1.0f, 1.0f, shown.alpha});
        }
    pieces.draw();
}

void drawFeedRow(const ShownFeedRow& shown)
{
    for (const board::Cell& slot : shown.slots) {
        if (slot.kind < 0)
            continue;
        const float side = static_cast<float>(slot.size + 2);
        draw::drawSheetFrame(pieceTexture(slot.kind), static_cast<float>(slot.x), static_cast<float>(slot.y), side,
            side, slot.frame, 0.0f, 1.0f);
    }
}

void drawGhosts(const ShownGhosts& shown)
{
    static draw::QuadBatch ghosts;
    for (const auto& row : shown.ghosts)
        for (const board::Cell& ghost : row) {
            if (ghost.fade <= 0.0f)
                continue;
            const float half = static_cast<float>(ghost.size) / 2;
            ghosts.add(ghostTexture(ghost), static_cast<float>(ghost.x), static_cast<float>(ghost.y), half, half, 0.0f,
                draw::sheetFrame(ghost.frame), {1.0f, 1.0f, 1.0f, ghost.fade});
        }
    ghosts.draw();
}

struct Drawing {
    void operator()(const ShownBoard& shown) const { drawBoard(shown); }
    void operator()(const ShownFeedRow& shown) const { drawFeedRow(shown); }
    void operator()(const ShownHud& shown) const { drawHud(shown); }
    void operator()(const ShownEndScreen& shown) const { drawEndScreen(shown); }
    void operator()(const ShownSurvivalTimer& shown) const { drawSurvivalTimer(shown); }
    void operator()(const ShownRoundStart&) const { background::prepareBackgroundCanvas(); }
    void operator()(const ShownGhosts& shown) const { drawGhosts(shown); }
};

} // namespace

textures::Texture pieceTexture(int kind) { return textures::texPieces[kind]; }

textures::Texture ghostTexture(const board::Cell& ghost)
{
    // Compared by picture, as the piece was drawn.
    const textures::Texture piece = pieceTexture(ghost.kind);
    return piece == textures::texPieces[board::KIND_BOMB] ? textures::texBurstAlt : piece;
}

void drawScene(const Scene& scene)
{
    for (const Shown& shown : scene)
        std::visit(Drawing{}, shown);
}

} // namespace kalup::game
