#include "app/launcher.h"

#include <cstdlib>

#include "app/shell.h"
#include "data/language.h"
#include "data/records.h"
#include "data/sound.h"
#include "platform/dialog.h"
#include "platform/display.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/textures.h"

namespace kalup::launcher {

bool launcherRunning = true;
int colorDepth = 0;
bool fullscreen = false;

namespace {

void onLauncherCommand(int id)
{
    switch (id) {
    case dialog::ID_START: launcherRunning = false; break;
    case dialog::ID_16_BIT: colorDepth = 16; break;
    case dialog::ID_32_BIT: colorDepth = 32; break;
    case dialog::ID_FULLSCREEN: fullscreen = true; break;
    case dialog::ID_WINDOWED: fullscreen = false; break;
    default: break;
    }
}

// Closing the launcher instead of starting ends the program on the spot:
// no display, no sound, and the record file stays as it is.
void onLauncherClose()
{
    launcherRunning = false;
    std::_Exit(0);
}

} // namespace

void runLauncher()
{
    if (!dialog::createLauncher(onLauncherCommand, onLauncherClose))
        std::_Exit(1);
    // Untouched, the game starts in 32-bit full screen.
    dialog::checkLauncherButton(dialog::ID_32_BIT);
    dialog::checkLauncherButton(dialog::ID_FULLSCREEN);
    colorDepth = 32;
    fullscreen = true;
    while (launcherRunning)
        dialog::pumpLauncher();
    dialog::destroyLauncher();
}

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
}

int runGame()
{
    runLauncher();
    if (!display::openDisplay(colorDepth, fullscreen)) {
        dialog::messageBox("Kalup could not open its window: the graphics system refused it.");
        return 1;
    }
    display::installQuitSignals();
    seam::install(&display::glfwBackend());
    sound::initSoundBank();
    loadResources();
    shell::mainLoop();
    shutdown();
    return 0;
}

} // namespace kalup::launcher
