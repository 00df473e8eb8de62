#include "app/shell.h"

#include <GL/gl.h>

#include "app/bests_page.h"
#include "app/help_page.h"
#include "app/menu.h"
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

bool menuOnScreen() { return machine.current() == screens::ScreenId::Menu; }

// F1 opens the help on any screen, over the tables too; B opens the tables on the menu.
void followPageKeys()
{
    help_page::followKeys();
    if (help_page::isOpen())
        bests_page::close();
    bests_page::followKeys(menuOnScreen() && !help_page::isOpen());
}

// The menu stands behind a page: its backdrop moves on, its rows and keys rest.
void drawPageOverMenu()
{
    draw::beginScreen2D();
    pointer::readPointer();
    menu::drawBackdrop();
    if (help_page::isOpen())
        help_page::drawPage();
    else
        bests_page::drawPage();
}

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
    followPageKeys();
    if (keys::down(seam::Key::Escape) && !help_page::holdsEscape() && !bests_page::holdsEscape())
        machine.backToMenu();
    machine.followPauseRequests();
    const bool paused = machine.paused();
    const bool pageChanged = help_page::changed() || bests_page::changed();
    if (!rest::frameWanted(machine.roundOnScreen() && !paused, paused) && !pageChanged) {
        kept.lastFrameTime = seam::waitForEvents(kept.lastFrameTime + rest::LONGEST_REST);
        return true;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (menuOnScreen() && (help_page::isOpen() || bests_page::isOpen())) {
        drawPageOverMenu();
    } else {
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
