#include "app/lifecycle.h"

#include <future>

#include "app/launcher.h"
#include "app/shell.h"
#include "data/language.h"
#include "data/records.h"
#include "data/sound.h"
#include "platform/dialog.h"
#include "platform/display.h"
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
    background::releaseBackground();
    draw::deleteFonts();
    display::closeDisplay();
    records::saveRecords();
    sound::freeSoundBank();
}

int runGame()
{
    // The images are read while the launcher waits for the player, and the
    // sounds and the music while the window opens: nothing is heard or drawn
    // before the window is there. A launcher closed instead ends the process
    // on the spot, reading or not.
    auto images = std::async(std::launch::async, textures::readTextureTable);
    launcher::runLauncher();
    auto sounds = std::async(std::launch::async, sound::loadSoundBank);
    if (!display::openDisplay(launcher::colorDepth, launcher::fullscreen)) {
        sounds.wait();
        sound::freeSoundBank();
        dialog::messageBox("Kalup could not open its window: the graphics system refused it.");
        return 1;
    }
    display::installQuitSignals();
    seam::install(&display::glfwBackend());
    sounds.wait();
    sound::startMusic();
    images.wait();
    loadResources();
    shell::mainLoop();
    shutdown();
    return 0;
}

} // namespace kalup::lifecycle
