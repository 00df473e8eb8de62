#include "app/lifecycle.h"

#include <cstdio>
#include <future>
#include <string>

#include "app/command_line.h"
#include "app/game_files.h"
#include "app/launcher.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "data/language.h"
#include "data/records.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/dialog.h"
#include "platform/display.h"
#include "platform/display_lost.h"
#include "platform/quit_signals.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/still_frame.h"
#include "render/textures.h"

namespace kalup::lifecycle {

void loadResources()
{
    textures::initImageLibrary();
    textures::loadTextureTable();
    records::loadRecords(game_files::recordFile());
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
    game_files::saveRecord();
    sound::freeSoundBank();
    // Bursts still flying when the player quit.
    fx::releaseEmitters();
}

int runGame(int argc, const char* const argv[])
{
    const command_line::Request request = command_line::parse(argc, argv);
    if (request.action != command_line::Action::Play)
        return command_line::answer(request);
    if (!game_files::findGameFiles())
        return 1;
    // The images are read while the launcher waits for the player, and the
    // sounds and the music while the window opens: nothing is heard or drawn
    // before the window is there. A launcher closed instead ends the process
    // on the spot, reading or not.
    auto images = std::async(std::launch::async, textures::readTextureTable);
    int colorDepth = request.colorDepth;
    bool fullscreen = request.fullscreen;
    if (!request.skipLauncher) {
        launcher::runLauncher(request.colorDepth);
        colorDepth = launcher::colorDepth;
        fullscreen = launcher::fullscreen;
    }
    auto sounds = std::async(std::launch::async, sound::loadSoundBank);
    if (!display::openDisplay(colorDepth, fullscreen)) {
        sounds.wait();
        sound::freeSoundBank();
        const std::string noDisplay = dialog::noDisplayReason();
        if (!noDisplay.empty())
            std::fprintf(stderr, "kalup: %s\n", noDisplay.c_str());
        else
            dialog::messageBox("Kalup could not open its window: the graphics system refused it.");
        return 1;
    }
    quit_signals::install();
    seam::install(&display::glfwBackend());
    sounds.wait();
    toggles::restoreMute();
    sound::startMusic();
    images.wait();
    loadResources();
    // A logout or a crashed X server ends the process from inside Xlib; the
    // record on the screen is saved first.
    display_lost::onDisplayLost(game_files::saveRecord);
    shell::mainLoop();
    shutdown();
    return 0;
}

} // namespace kalup::lifecycle
