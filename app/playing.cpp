#include "app/playing.h"

#include <GL/gl.h>

#include "app/game_files.h"
#include "app/results.h"
#include "app/round_effects.h"
#include "app/steering.h"
#include "game/round_view.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "platform/seam.h"
#include "render/background.h"
#include "render/draw.h"

namespace kalup::playing {

namespace {

game::Round played;
game::Scene scene;

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

void startGame(int mode)
{
    draw::createFonts();
    glClearColor(0, 0, 0, 1);
    game::startGame(played, mode, seam::now(), round_effects::listener());
    background::prepareBackgroundCanvas();
}

void endGame()
{
    results::noteGameLeft(played);
    game::endGame(played);
}

game::FrameResult stepRound()
{
    scene.clear();
    const game::FrameResult result = game::updateGame(played, frameInput(), round_effects::listener(), scene,
        game_files::recordFile().values.classicRecord);
    results::noteRoundEnd(played, scene);
    if (pointer::steeredByKeys())
        game::markSteeredCell(scene, played.hover);
    game::showGhosts(played.board, scene);
    return result;
}

void drawRound() { game::drawScene(scene); }

void PlayingScreen::update(screens::Changes& asked)
{
    const game::FrameResult result = stepRound();
    if (result.endScreen && !result.continued)
        asked.push_back(screens::Change::show(screens::ScreenId::RoundOver));
}

} // namespace kalup::playing
