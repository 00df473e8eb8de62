#include "app/lifecycle.h"

#include "app/launcher.h"
#include "app/shell.h"
#include "data/language.h"
#include "data/records.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/dialog.h"
#include "platform/display.h"
#include "platform/quit_signals.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::lifecycle {

void loadResources()
{
    textures::initImageLibrary();
    textures::loadTextureTable();
    records::loadRecords();
    draw::createFonts();
    language::loadLanguage();
}

void shutdown()
{
    // GL objects go while the context still exists; the window closes and
    // the record is written right after.
    textures::releaseTextures();
    background::deleteClouds();
    draw::deleteFonts();
    display::closeDisplay();
    records::saveRecords();
    sound::freeSoundBank();
    // Bursts still flying when the player quit.
    fx::releaseEmitters();
}

int runGame()
{
    launcher::runLauncher();
    if (!display::openDisplay(launcher::colorDepth, launcher::fullscreen)) {
        dialog::messageBox("Kalup could not open its window: the graphics system refused it.");
        return 1;
    }
    quit_signals::install();
    seam::install(&display::glfwBackend());
    sound::initSoundBank();
    loadResources();
    shell::mainLoop();
    shutdown();
    return 0;
}

} // namespace kalup::lifecycle
