#include "app/lifecycle.h"

#include "app/launcher.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "data/language.h"
#include "data/records.h"
#include "data/sound.h"
#include "platform/dialog.h"
#include "platform/display.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/still_frame.h"
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
    still_frame::releaseStillFrame();
    background::releaseBackground();
    draw::deleteFonts();
    display::closeDisplay();
    records::saveRecords();
    sound::freeSoundBank();
}

int runGame()
{
    launcher::runLauncher();
    if (!display::openDisplay(launcher::colorDepth, launcher::fullscreen)) {
        dialog::messageBox("Kalup could not open its window: the graphics system refused it.");
        return 1;
    }
    display::installQuitSignals();
    seam::install(&display::glfwBackend());
    sound::initSoundBank();
    toggles::restoreMute();
    loadResources();
    shell::mainLoop();
    shutdown();
    return 0;
}

} // namespace kalup::lifecycle
