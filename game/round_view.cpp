#include "game/round_view.h"

#include <GL/gl.h>

#include <algorithm>

#include "game/screens.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/quad_batch.h"

namespace kalup::game {

namespace {

// True when a piece was drawn.
bool drawBoard(const ShownBoard& shown)
{
    static draw::QuadBatch pieces;
    bool drawn = false;
    for (const auto& row : shown.cells)
        for (const board::Cell& cell : row) {
            if (cell.kind < 0)
                continue;
            const float half = static_cast<float>(cell.size + 2) / 2;
            pieces.add(pieceTexture(cell.kind), static_cast<float>(cell.x), static_cast<float>(cell.y), half, half,
                0.0f, draw::sheetFrame(cell.frame), {1.0f, 1.0f, 1.0f, shown.alpha});
            drawn = true;
        }
    pieces.draw();
    return drawn;
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

// A bright line inside a dark border: clear on every piece and on the
// backdrop, and just wider than a resting piece.
void drawSteeredCell(const ShownSteeredCell& shown)
{
    const auto x = static_cast<float>(board::homeXOf(shown.cell.col));
    const auto y = static_cast<float>(board::homeYOf(shown.cell.row));
    draw::useBlend(draw::Blend::Alpha);
    glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
    draw::drawSquareBand(x, y, STEERED_FRAME_INNER, STEERED_FRAME_OUTER);
    glColor4f(1.0f, 0.93f, 0.6f, 1.0f);
    draw::drawSquareBand(x, y, STEERED_FRAME_INNER + 2.0f, STEERED_FRAME_OUTER - 2.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// Each pass sets the blending it draws with. What a frame's passes show
// depends on two things the passes before them set, kept here: a new round's
// canvas is cleared with plain sums, and what is drawn after it in the same
// frame adds up the same way until a sprite or a line of text draws by
// alpha again; the survival timer takes the board's fade-in opacity once the
// board has drawn a piece.
struct Drawing {
    draw::Blend blend = draw::Blend::Alpha;
    float timerAlpha = 1.0f;

    void operator()(const ShownBoard& shown)
    {
        draw::useBlend(blend);
        if (drawBoard(shown))
            timerAlpha = shown.alpha;
    }
    void operator()(const ShownFeedRow& shown)
    {
        draw::useBlend(blend);
        drawFeedRow(shown);
    }
    void operator()(const ShownHud& shown)
    {
        draw::useBlend(blend);
        drawHud(shown);
        blend = draw::Blend::Alpha;
    }
    void operator()(const ShownEndScreen& shown)
    {
        drawEndScreen(shown);
        blend = draw::Blend::Alpha;
    }
    void operator()(const ShownSurvivalTimer& shown)
    {
        draw::useBlend(blend);
        drawSurvivalTimer(shown, timerAlpha);
        blend = draw::Blend::Alpha;
    }
    void operator()(const ShownRoundStart&)
    {
        background::prepareBackgroundCanvas();
        blend = draw::Blend::Add;
    }
    void operator()(const ShownGhosts& shown)
    {
        draw::useBlend(blend);
        drawGhosts(shown);
    }
    void operator()(const ShownSteeredCell& shown) { drawSteeredCell(shown); }
};

} // namespace

textures::Texture pieceTexture(int kind) { return textures::texPieces[kind]; }

textures::Texture ghostTexture(const board::Cell& ghost)
{
    // Compared by picture, as the piece was drawn.
    const textures::Texture piece = pieceTexture(ghost.kind);
    return piece == textures::texPieces[board::KIND_BOMB] ? textures::texBurstAlt : piece;
}

void markSteeredCell(Scene& scene, board::CellPos cell)
{
    const auto board = std::ranges::find_if(scene, [](const Shown& shown) { return std::holds_alternative<ShownBoard>(shown); });
    scene.insert(board == scene.end() ? board : board + 1, ShownSteeredCell{cell});
}

void drawScene(const Scene& scene)
{
    Drawing drawing;
    for (const Shown& shown : scene)
        std::visit(drawing, shown);
}

} // namespace kalup::game
