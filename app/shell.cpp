#include "app/shell.h"

#include <GL/gl.h>

#include <cmath>

#include "app/menu.h"
#include "app/pause.h"
#include "app/round_effects.h"
#include "app/steering.h"
#include "app/toggles.h"
#include "board/play.h"
#include "data/records.h"
#include "fx/emitters.h"
#include "game/game_state.h"
#include "game/round_view.h"
#include "game/update.h"
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

// The game being played, or the last one, from start-up to shutdown.
game::Round playing;

// The backdrop of the mode last played; the menu is drawn over it too. The
// menu's opaque backdrop hides it whole, so there it is only moved on as if
// drawn: the clouds keep drawing the game's random numbers as they move.
void drawModeBackground()
{
    const bool hidden = screenState == SCREEN_MENU;
    switch (playing.board.gameMode) {
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
        // Drawn with the screen projection the previous frame left in force.
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

// The game of the mode begins, and its first round's backdrop is made ready.
void beginGame(int mode)
{
    draw::createFonts();
    glClearColor(0, 0, 0, 1);
    screenState = SCREEN_PLAYING;
    if (mode == play::MODE_CLASSIC)
        glEnable(GL_BLEND);
    game::startGame(playing, mode, seam::now(), round_effects::listener());
    background::prepareBackgroundCanvas();
}

// The pointer after the arrows have steered it, the button or Enter, space
// or Enter, and the game clock, as the round's rules take them.
game::FrameInput playingFrameInput()
{
    steering::steerPointer();
    const bool enter = keys::wentDown(seam::Key::Enter);
    return {pointer::mouseX, pointer::mouseY, seam::leftButtonDown() || enter, seam::keyDown(seam::Key::Space) || enter,
            seam::now()};
}


} // namespace

game::Round& round() { return playing; }

bool runFrame()
{
    // The window's close box and SIGINT/SIGTERM/SIGHUP quit like F10 on the menu.
    if (seam::closeRequested())
        quitRequested = true;
    if (quitRequested)
        return false;
    keys::readKeys();
    toggles::followToggleKeys();
    if (seam::keyDown(seam::Key::Escape))
        returnToMenu();
    pause::followPauseRequests();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (pause::paused) {
        // Nothing of the round runs; only the cursor follows the mouse.
        draw::beginScreen2D();
        pointer::readPointer();
        pause::drawPausedFrame();
    } else {
        drawModeBackground();
        draw::beginScreen2D();
        frameDispatch();
        fx::runEmitters();
        pause::beginPauseIfDue();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
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
        menu::drawMainMenu();
        if (seam::keyDown(seam::Key::Space))
            startClassicGame();
        if (seam::keyDown(seam::Key::F10) || seam::keyDown(seam::Key::F3))
            quitRequested = true;
        break;
    case SCREEN_PLAYING: {
        static game::Scene scene;
        scene.clear();
        game::updateGame(playing, playingFrameInput(), round_effects::listener(), scene, records::classicRecord);
        game::showGhosts(playing.board, scene);
        game::drawScene(scene);
        break;
    }
    default:
        break;
    }
}

void returnToMenu()
{
    game::endGame(playing);
    draw::createFonts();
    screenState = SCREEN_MENU;
}

void startClassicGame() { beginGame(play::MODE_CLASSIC); }

void startRemoveTwoGame() { beginGame(play::MODE_REMOVE_TWO); }

void startSurvivalGame() { beginGame(play::MODE_SURVIVAL); }

} // namespace kalup::shell
