#include "app/shell.h"

#include <GL/gl.h>

#include <cmath>

#include "app/bests_page.h"
#include "app/help_page.h"
#include "app/menu.h"
#include "app/pause.h"
#include "app/playing.h"
#include "app/rest.h"
#include "app/toggles.h"
#include "board/play.h"
#include "fx/emitters.h"
#include "platform/keys.h"
#include "platform/logical_screen.h"
#include "platform/pointer.h"
#include "platform/seam.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::shell {

int screenState = SCREEN_MENU;
bool quitRequested = false;
double frameTime = 0.0;
double lastFrameTime = 0.0;
float survivalBackdropAngle = 0.0f;

namespace {

// The backdrop of the mode last played; the menu is drawn over it too. The
// menu's opaque backdrop hides it whole, so there it is only moved on as if
// drawn: the clouds keep drawing the game's random numbers as they move.
void drawModeBackground()
{
    const bool hidden = screenState == SCREEN_MENU;
    switch (playing::round().board.gameMode) {
    case play::MODE_CLASSIC:
    case play::MODE_REMOVE_TWO:
        if (hidden) {
            background::stepBackground();
            break;
        }
        draw::beginScene3D();
        background::drawBackground();
        break;
    case play::MODE_SURVIVAL: {
        survivalBackdropAngle += 0.02f;
        if (hidden) {
            draw::stepTileScroll();
            break;
        }
        draw::beginScreen2D();
        const float size = 10.0f * std::sin(survivalBackdropAngle) + 1000.0f;
        draw::drawSprite(textures::texBackdrop, logical::WIDTH / 2, logical::HEIGHT / 2, size, size,
                         survivalBackdropAngle, 1);
        draw::drawScrollingTiles(textures::texTile, 48);
        break;
    }
    default:
        break;
    }
}

// F1 opens the help on any screen, over the tables too; B opens the tables on the menu.
void followPageKeys()
{
    help_page::followKeys();
    if (help_page::isOpen())
        bests_page::close();
    bests_page::followKeys(screenState == SCREEN_MENU && !help_page::isOpen());
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

bool runFrame()
{
    // The window's close box and SIGINT/SIGTERM/SIGHUP quit like F10 on the menu.
    if (seam::closeRequested())
        quitRequested = true;
    if (quitRequested)
        return false;
    seam::takeInput();
    keys::readKeys();
    toggles::followToggleKeys();
    followPageKeys();
    if (keys::down(seam::Key::Escape) && !help_page::holdsEscape() && !bests_page::holdsEscape())
        returnToMenu();
    pause::followPauseRequests(screenState == SCREEN_PLAYING);
    const bool pageChanged = help_page::changed() || bests_page::changed();
    if (!rest::frameWanted(screenState == SCREEN_PLAYING && !pause::paused, pause::paused) && !pageChanged) {
        lastFrameTime = seam::waitForEvents(lastFrameTime + rest::LONGEST_REST);
        return true;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (pause::paused) {
        // Nothing of the round runs; only the cursor follows the mouse.
        draw::beginScreen2D();
        pointer::readPointer();
        pause::drawPausedFrame();
    } else if (screenState == SCREEN_MENU && (help_page::isOpen() || bests_page::isOpen())) {
        drawPageOverMenu();
    } else {
        drawModeBackground();
        draw::beginScreen2D();
        frameDispatch();
        draw::beginScreen2D();
        fx::runEmitters();
        pause::beginPauseIfDue();
    }
    draw::beginScreen2D();
    pointer::keepPointerOnScreen();
    draw::drawSprite(textures::texCursor, pointer::mouseX + 7, pointer::mouseY + 32, 16, 32, 0, 1);
    // Paced from the end of the previous wait: a slow frame is followed at once.
    frameTime = seam::waitUntil(lastFrameTime + FRAME_PERIOD);
    lastFrameTime = frameTime;
    seam::present();
    return true;
}

void mainLoop()
{
    while (runFrame()) {
    }
}

void frameDispatch()
{
    pointer::readPointer();
    switch (screenState) {
    case SCREEN_MENU:
        menu::drawMainMenu(startGame);
        if (seam::keyDown(seam::Key::Space))
            startClassicGame();
        if (seam::keyDown(seam::Key::F10) || seam::keyDown(seam::Key::F3))
            quitRequested = true;
        break;
    case SCREEN_PLAYING:
        playing::frame();
        break;
    default:
        break;
    }
}

void returnToMenu()
{
    playing::leave();
    screenState = SCREEN_MENU;
}

void startGame(int mode)
{
    screenState = SCREEN_PLAYING;
    playing::enter(mode);
}

void startClassicGame() { startGame(play::MODE_CLASSIC); }

} // namespace kalup::shell
