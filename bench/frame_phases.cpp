#include "bench/frame_phases.h"

#include <GL/gl.h>

#include "app/round_effects.h"
#include "app/shell.h"
#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/specials.h"
#include "bench/measure.h"
#include "fx/emitters.h"
#include "game/screens.h"
#include "platform/pointer.h"
#include "platform/scaler.h"
#include "platform/seam.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/textures.h"

namespace bench::frame_phases {

namespace {

using namespace kalup;

class Laps {
public:
    explicit Laps(Spent& spent) : spent(spent), last(finished()) {}
    // The time since the previous lap, once the renderer has finished, goes
    // to the phase; returns it.
    measure::Reading lap(Phase phase)
    {
        const measure::Reading now = finished();
        const measure::Reading taken{now.wall - last.wall, now.thread - last.thread, now.process - last.process};
        spent.wall[phase] += taken.wall;
        spent.process[phase] += taken.process;
        last = now;
        return taken;
    }

private:
    static measure::Reading finished()
    {
        glFinish();
        return measure::read();
    }
    Spent& spent;
    measure::Reading last;
};

// The round's rules as updateGame runs them for a classic round; the
// feed timer, which only the remove-two mode acts on, is left out.
void drawHudOrEndScreens()
{
    if (!board::movesAvailable())
        game::drawNoMoreMovesScreen();
    else
        game::drawHud();
    if (board::boardIsEmpty())
        game::drawLevelScreen();
}

} // namespace

void Spent::add(const Spent& frame)
{
    for (int phase = 0; phase < COUNT; ++phase) {
        wall[phase] += frame.wall[phase];
        process[phase] += frame.process[phase];
    }
    frames += frame.frames;
}

Spent Spent::perFrame() const
{
    Spent average{};
    for (int phase = 0; phase < COUNT; ++phase) {
        average.wall[phase] = frames > 0 ? wall[phase] / frames : 0.0;
        average.process[phase] = frames > 0 ? process[phase] / frames : 0.0;
    }
    average.frames = 1;
    return average;
}

void playingFrame(Spent& spent, int framebufferWidth, int framebufferHeight)
{
    Laps laps(spent);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw::beginScene3D();
    background::drawBackground();
    laps.lap(BACKGROUND);
    draw::beginScreen2D();
    pointer::readPointer();
    board::animateBoard(seam::now());
    const board::CellPos hover = board::cellUnderPointer(pointer::mouseX, pointer::mouseY);
    laps.lap(BOARD);
    drawHudOrEndScreens();
    laps.lap(HUD_AND_SCREENS);
    board::Events& effects = round_effects::listener();
    board::handleBoardInput({hover, seam::leftButtonDown(), seam::now()}, effects);
    board::settleBoard(effects);
    board::paintStep(effects);
    laps.lap(RULES);
    board::updateGhosts();
    laps.lap(GHOSTS);
    fx::runEmitters();
    laps.lap(BURSTS);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    pointer::keepPointerOnScreen();
    draw::drawSprite(textures::texCursor, pointer::mouseX + 7, pointer::mouseY + 32, 16, 32, 0, 1);
    shell::frameTime = seam::waitUntil(shell::lastFrameTime + shell::FRAME_PERIOD);
    shell::lastFrameTime = shell::frameTime;
    laps.lap(CURSOR);
    scaler::showTarget(framebufferWidth, framebufferHeight);
    const measure::Reading copy = laps.lap(COPY);
    seam::present();
    laps.lap(SWAP);
    spent.wall[SWAP] -= copy.wall;
    spent.process[SWAP] -= copy.process;
    ++spent.frames;
}

} // namespace bench::frame_phases
