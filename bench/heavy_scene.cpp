#include "bench/heavy_scene.h"

#include "app/playing.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/play.h"
#include "fx/emitters.h"
#include "render/background.h"
#include "render/textures.h"

namespace bench::heavy_scene {

namespace {

using namespace kalup;

constexpr int GROUP_KIND = 0;
constexpr int BLOCK_KIND = 1;
// The pointer's cell, inside the group.
constexpr int POINTER_ROW = 4;
constexpr int POINTER_COL = 4;

// The block of six fills the two bottom rows of the three right columns, so
// a move is left after the click and the round goes on under its HUD.
int kindAt(int row, int col) { return row >= board::ROWS - 2 && col >= board::COLS - 3 ? BLOCK_KIND : GROUP_KIND; }

void dealBoard()
{
    for (int row = 0; row < board::ROWS; ++row)
        for (int col = 0; col < board::COLS; ++col) {
            const int kind = kindAt(row, col);
            const int x = board::homeXOf(col);
            const int y = board::homeYOf(row);
            playing::round().board.board[row][col] = board::Cell{x, y, 64, kind, x, y, 0.0f, 0};
        }
    board::saveBoard(playing::round().board);
    playing::round().board.boardAlpha = 1.0f;
}

} // namespace

bool ghostsAtTheirPeak(int frame)
{
    const int step = frame % CYCLE_FRAMES;
    return step >= GHOSTS_PEAK_FIRST && step <= GHOSTS_PEAK_LAST;
}

void dropBurstsAndGhosts()
{
    for (fx::ParticleEmitter* emitter : fx::liveEmitters)
        delete emitter;
    fx::liveEmitters.clear();
    for (auto& row : playing::round().board.ghostLayer)
        for (board::Cell& ghost : row)
            ghost.fade = 0.0f;
}

void start(BenchSeam& seam)
{
    dropBurstsAndGhosts();
    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    background::buildBackground(4);
    dealBoard();
    // The clock may have started again with a new window.
    playing::round().board.cellAnimTime = 0.0;
    shell::loop().lastFrameTime = seam.now();
    // Where the board maps the pointer to the cell (cellUnderPointer).
    seam.cursorX = board::homeXOf(POINTER_COL);
    seam.cursorY = 64 * POINTER_ROW + 20;
    seam.button = false;
}

void script(BenchSeam& seam, int frame)
{
    const int step = frame % CYCLE_FRAMES;
    if (step == 0)
        dealBoard();
    seam.button = step == CLICK_FRAME;
}

} // namespace bench::heavy_scene
