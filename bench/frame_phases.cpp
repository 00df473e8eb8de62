#include "bench/frame_phases.h"

#include <GL/gl.h>

#include "app/game_files.h"
#include "app/playing.h"
#include "app/round_effects.h"
#include "app/shell.h"
#include "bench/measure.h"
#include "board/animation.h"
#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/specials.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "game/round_view.h"
#include "game/update.h"
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

// The round's line or end screens as updateGame notes them for a classic
// round, drawn; the feed timer, which only the remove-two mode acts on, is
// left out.
void drawHudOrEndScreens()
{
    const game::Round& round = playing::round();
    game::Scene scene;
    const game::ShownEndScreen shown{game::EndScreen::NoMoreMoves, round.panelSlide, round.score, round.level, 0.0};
    if (!board::movesAvailable(round.board))
        scene.push_back(shown);
    else
        scene.push_back(game::ShownHud{round.hudY, game_files::recordFile().values.classicRecord, round.score});
    if (board::boardIsEmpty(round.board))
        scene.push_back(game::ShownEndScreen{game::EndScreen::LevelCompleted, shown.slide, shown.score, shown.level,
            0.0});
    game::drawScene(scene);
}

void drawBoard()
{
    game::Scene scene(1, game::ShownBoard{});
    auto& shown = std::get<game::ShownBoard>(scene.front());
    board::animateBoard(playing::round().board, seam::now(), shown.cells);
    shown.alpha = playing::round().board.boardAlpha;
    game::drawScene(scene);
}

void drawGhosts()
{
    game::Scene scene;
    game::showGhosts(playing::round().board, scene);
    game::drawScene(scene);
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
    drawBoard();
    const board::CellPos hover = board::cellUnderPointer(pointer::mouseX, pointer::mouseY);
    laps.lap(BOARD);
    drawHudOrEndScreens();
    laps.lap(HUD_AND_SCREENS);
    board::Events& effects = round_effects::listener();
    game::Round& round = playing::round();
    round.score += board::handleBoardInput(round.board, {hover, seam::leftButtonDown(), seam::now()}, effects);
    board::settleBoard(round.board, effects);
    board::paintStep(round.board, effects);
    laps.lap(RULES);
    drawGhosts();
    laps.lap(GHOSTS);
    fx::runEmitters();
    laps.lap(BURSTS);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    pointer::keepPointerOnScreen();
    draw::drawSprite(textures::texCursor, pointer::mouseX + 7, pointer::mouseY + 32, 16, 32, 0, 1);
    shell::loop().frameTime = seam::waitUntil(shell::loop().lastFrameTime + shell::FRAME_PERIOD);
    shell::loop().lastFrameTime = shell::loop().frameTime;
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
