// The board's pieces, the ghosts, the bursts and the round background are
// drawn in batches: the pictures must be those of drawing every quad or
// sprite on its own, as the game did, within one colour level.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "board/animation.h"
#include "board/board.h"
#include "board/ghosts.h"
#include "fx/emitters.h"
#include "game/round_view.h"
#include "game/update.h"
#include "platform/display.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"
#include "tests/board_picture.h"
#include "tests/harness.h"
#include "tests/listed_background.h"
#include "tests/screen.h"

using namespace kalup;
using Picture = std::vector<unsigned char>;

namespace {

Picture picture(const std::function<void()>& drawing)
{
    display::beginFrame();
    draw::beginScreen2D();
    glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    drawing();
    glClearColor(0, 0, 0, 1);
    return screen::pixels();
}

// Thirty frames of a round background from a fixed seed, on black.
Picture backgroundFrames(int presetIndex, void (*drawBackground)())
{
    random::seed(7);
    display::beginFrame();
    background::buildBackground(presetIndex);
    listed::compileSprite();
    draw::beginScene3D();
    for (int i = 0; i < 30; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        drawBackground();
    }
    return screen::pixels();
}

// How far the channels of a batched picture are from the old drawing's, and
// how many of the old drawing's differ from the bare backdrop.
struct Difference {
    int drawn = 0, differing = 0, beyondOne = 0, largest = 0;
};

Difference compare(const Picture& batched, const Picture& old, const Picture& backdrop)
{
    Difference d;
    for (std::size_t i = 0; i < batched.size(); ++i) {
        const int difference = std::abs(batched[i] - old[i]);
        d.drawn += old[i] != backdrop[i];
        d.differing += difference != 0;
        d.beyondOne += difference > 1;
        d.largest = std::max(d.largest, difference);
    }
    return d;
}

// The vertices are placed by the processor rather than by the modelview
// matrix, so their last bits may round otherwise: where a quad's edge lies
// half-way between pixels, its edge pixels sample exactly between two texels
// and the filter may tip a level either way. Under a stack of such edges a
// few channels may then differ by two.
void expectAlike(const Picture& batched, const Picture& oneByOne)
{
    const Difference d = compare(batched, oneByOne, picture([] {}));
    EXPECT_GT(d.drawn, 10000) << "the drawing shows something";
    EXPECT_LT(d.differing, static_cast<int>(batched.size() / 1000));
    EXPECT_LE(d.beyondOne, 4);
    EXPECT_LE(d.largest, 2);
}

// A sheet frame the way every piece and ghost was drawn: one quad of its own.
void drawFrameAlone(const board::Cell& cell, textures::Texture texture, int side, float alpha)
{
    draw::drawSheetFrame(texture, static_cast<float>(cell.x), static_cast<float>(cell.y),
        static_cast<float>(side), static_cast<float>(side), cell.frame, 0.0f, alpha);
}

// A burst's particles the way they were drawn: moved and turned one by one.
void drawParticlesAlone(const std::vector<fx::Particle>& particles, textures::Texture texture, bool spin)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glMatrixMode(GL_MODELVIEW);
    for (const fx::Particle& particle : particles) {
        if (!particle.alive)
            continue;
        glLoadIdentity();
        glTranslatef(particle.x, particle.y, 0.0f);
        if (spin)
            glRotatef(particle.angle, 0.0f, 0.0f, 1.0f);
        glColor4f(particle.r, particle.g, particle.b, particle.a);
        draw::emitQuad(particle.width / 2.0f, particle.height / 2.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    }
}

} // namespace

TEST(BatchedDrawing, BoardPiecesSwollenAndFadingInAsOneByOne)
{
    harness::needDisplay();
    boardtest::setBoard({"0123456789..", "001122334455", "543210.....9", "9876543210..", "111222333000"});
    // Pieces of every size the board shows, in every frame, half faded in;
    // the clock keeps the frames where they are.
    int n = 0;
    for (auto& row : boardtest::state().board)
        for (board::Cell& cell : row) {
            cell.size = 60 + (n * 7) % 40;
            cell.frame = n % 15;
            ++n;
        }
    boardtest::state().boardAlpha = 0.6f;
    harness::input().time = boardtest::state().cellAnimTime = 5.0;
    const auto batched = picture([] {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        game::Scene scene(1, game::ShownBoard{});
        auto& shown = std::get<game::ShownBoard>(scene[0]);
        board::animateBoard(boardtest::state(), harness::input().time, shown.cells);
        shown.alpha = boardtest::state().boardAlpha;
        game::drawScene(scene);
    });
    const auto oneByOne = picture([] {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (const auto& row : boardtest::state().board)
            for (const board::Cell& cell : row)
                if (cell.kind >= 0)
                    drawFrameAlone(cell, game::pieceTexture(cell.kind), cell.size + 2, boardtest::state().boardAlpha);
    });
    expectAlike(batched, oneByOne);
}

TEST(BatchedDrawing, GhostsOfARemovedGroupGrowingAndFadingAsOneByOne)
{
    // A swollen group of every kind but the bomb, whose ghost is its blast,
    // removed at once, and two pieces removed earlier.
    harness::needDisplay();
    boardtest::setBoard({"000000000000", "111111111111", "222222222222", "333333335555", "666677778888"});
    for (int row = 0; row < board::ROWS; ++row)
        for (int col = 0; col < board::COLS; ++col)
            if (boardtest::state().board[row][col].kind >= 0) {
                boardtest::state().board[row][col].size = 97;
                board::spawnGhost(boardtest::state(), row, col, boardtest::state().board[row][col].kind);
            }
    for (int frame = 0; frame < 12; ++frame)
        board::fadeGhosts(boardtest::state());
    boardtest::state().board[5][3].size = 90;
    board::spawnGhost(boardtest::state(), 5, 3, boardtest::state().board[5][3].kind);
    boardtest::state().board[7][8].size = 64;
    board::spawnGhost(boardtest::state(), 7, 8, boardtest::state().board[7][8].kind);
    for (int frame = 0; frame < 20; frame += 6) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        // The ghosts as they are drawn, before they grow and fade for the next frame.
        const board::Cell* ghosts = &boardtest::state().ghostLayer[0][0];
        const std::vector<board::Cell> drawn(ghosts, ghosts + board::ROWS * board::COLS);
        const auto batched = picture([] {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            game::Scene scene;
            game::showGhosts(boardtest::state(), scene);
            game::drawScene(scene);
        });
        const auto oneByOne = picture([&drawn] {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            for (const board::Cell& ghost : drawn)
                if (ghost.fade > 0.0f)
                    drawFrameAlone(ghost, game::ghostTexture(ghost), ghost.size, ghost.fade);
        });
        expectAlike(batched, oneByOne);
        for (int skipped = 0; skipped < 5; ++skipped)
            board::fadeGhosts(boardtest::state());
    }
}

TEST(BatchedDrawing, TurningBallsAndGlowingStarsAsOneByOne)
{
    harness::needDisplay();
    boardtest::setBoard({});
    random::seed(29);
    std::vector<fx::BallBurstEmitter> balls;
    std::vector<fx::StarBurstEmitter> stars;
    for (int i = 0; i < 40; ++i) {
        const fx::Point2 at{static_cast<float>(60 + 17 * i), static_cast<float>(100 + 11 * i)};
        balls.emplace_back(4, at, 530, textures::texBalls[i % 4]);
        stars.emplace_back(8, at, textures::texStar);
    }
    for (int update = 0; update < 25; ++update) {
        for (auto& burst : balls)
            burst.update();
        for (auto& burst : stars)
            burst.update();
    }
    const auto batched = picture([&] {
        for (auto& burst : balls)
            burst.render();
        for (auto& burst : stars)
            burst.render();
    });
    const auto oneByOne = picture([&] {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (const auto& burst : balls)
            drawParticlesAlone(burst.particles, burst.texture, true);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        for (const auto& burst : stars)
            drawParticlesAlone(burst.particles, burst.texture, false);
    });
    expectAlike(batched, oneByOne);
}

TEST(BatchedDrawing, RoundBackgroundAsSpriteBySprite)
{
    harness::needDisplay();
    const Picture black = backgroundFrames(0, [] {});
    for (int index : {0, 4, 8}) {
        SCOPED_TRACE(testing::Message() << "preset " << index);
        const auto spriteBySprite = backgroundFrames(index, listed::drawBackground);
        const Difference d = compare(backgroundFrames(index, background::drawBackground), spriteBySprite, black);
        EXPECT_GT(d.drawn, 10000) << "the background shows something";
        // Only the order of float roundings differs: a stray last bit here and there.
        EXPECT_LE(d.largest, 1);
        EXPECT_LT(d.differing, static_cast<int>(spriteBySprite.size() / 2000));
    }
}
