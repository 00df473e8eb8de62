#include "app/playing.h"

#include <GL/gl.h>

#include "app/game_files.h"
#include "app/results.h"
#include "app/round_effects.h"
#include "app/steering.h"
#include "game/round_view.h"
#include "game/update.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "platform/seam.h"
#include "render/background.h"
#include "render/draw.h"

namespace kalup::playing {

namespace {

game::Round played;

// The pointer after the arrows have steered it, the button or Enter, space
// or Enter, and the game clock, as the round's rules take them.
game::FrameInput frameInput()
{
    steering::steerPointer();
    const bool enter = keys::wentDown(seam::Key::Enter);
    return {pointer::mouseX, pointer::mouseY, seam::leftButtonDown() || enter, seam::keyDown(seam::Key::Space) || enter,
            seam::now()};
}

} // namespace

game::Round& round() { return played; }

void enter(int mode)
{
    draw::createFonts();
    glClearColor(0, 0, 0, 1);
    game::startGame(played, mode, seam::now(), round_effects::listener());
    background::prepareBackgroundCanvas();
}

void frame()
{
    static game::Scene scene;
    scene.clear();
    game::updateGame(played, frameInput(), round_effects::listener(), scene,
        game_files::recordFile().values.classicRecord);
    results::noteRoundEnd(played, scene);
    if (pointer::steeredByKeys())
        game::markSteeredCell(scene, played.hover);
    game::showGhosts(played.board, scene);
    game::drawScene(scene);
}

void leave()
{
    results::noteGameLeft(played);
    game::endGame(played);
    draw::createFonts();
}

} // namespace kalup::playing
