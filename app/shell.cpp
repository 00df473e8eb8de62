#include "app/shell.h"

#include <GL/gl.h>

#include "app/mode_backdrop.h"
#include "app/playing.h"
#include "app/rest.h"
#include "app/toggles.h"
#include "fx/emitters.h"
#include "platform/keys.h"
#include "platform/pointer.h"
#include "platform/seam.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::shell {

namespace {

LoopState kept;
screens::ScreenMachine machine;

} // namespace

LoopState& loop() { return kept; }

screens::ScreenMachine& screens() { return machine; }

bool runFrame()
{
    // The window's close box and SIGINT/SIGTERM/SIGHUP quit like F10 on the menu.
    if (seam::closeRequested())
        kept.quitRequested = true;
    if (kept.quitRequested)
        return false;
    seam::takeInput();
    keys::readKeys();
    toggles::followToggleKeys();
    machine.followKeys();
    machine.followPauseRequests();
    const bool paused = machine.paused();
    if (!rest::frameWanted(machine.roundOnScreen() && !paused, paused) && !machine.changedByKeys()) {
        kept.lastFrameTime = seam::waitForEvents(kept.lastFrameTime + rest::LONGEST_REST);
        return true;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A still picture shows nothing that moves: no backdrop, no bursts.
    const bool moving = !machine.top().standsStill();
    if (moving)
        mode_backdrop::drawModeBackdrop(playing::round().board.gameMode, machine.top().hidesBackdrop());
    draw::beginScreen2D();
    pointer::readPointer();
    if (machine.runScreen())
        kept.quitRequested = true;
    if (moving) {
        draw::beginScreen2D();
        fx::runEmitters();
        machine.pauseIfDue();
    }
    draw::beginScreen2D();
    pointer::keepPointerOnScreen();
    draw::drawSprite(textures::texCursor, pointer::mouseX + 7, pointer::mouseY + 32, 16, 32, 0, 1);
    // Paced from the end of the previous wait: a slow frame is followed at once.
    kept.frameTime = seam::waitUntil(kept.lastFrameTime + FRAME_PERIOD);
    kept.lastFrameTime = kept.frameTime;
    seam::present();
    return true;
}

void mainLoop()
{
    while (runFrame()) {
    }
}

} // namespace kalup::shell
