#include "app/lifecycle.h"

#include <cstdio>
#include <future>
#include <string>
#include <utility>

#include "app/command_line.h"
#include "app/game_files.h"
#include "app/help_page.h"
#include "app/launcher.h"
#include "app/playing.h"
#include "app/results.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "data/language.h"
#include "data/language_choice.h"
#include "data/records.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/audio.h"
#include "platform/dialog.h"
#include "platform/display.h"
#include "platform/display_lost.h"
#include "platform/quit_signals.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/still_frame.h"
#include "render/textures.h"

namespace kalup::lifecycle {

namespace {

// Start-up does its slow reading while the player looks at the launcher, on
// two threads, each the sole user of what it loads until the main thread has
// waited for it:
// - the image reader holds the image library and the images it reads; the
//   main thread touches neither before it takes the images from the reader;
// - the sound loader opens the audio device and loads the samples and the
//   music; the sound system and the bank's handles are the loader's until
//   the main thread has waited for it, and the main thread's alone from then
//   on (playing, muting, holding, shutting down). SDL wants its audio calls
//   one at a time, not on any particular thread: the wait orders them.
//   Loading on the main thread instead would keep the window black while
//   every sound is decoded. The mixer's own thread is SDL's, and reads the
//   game's sounds only under SDL's device lock.
// Neither takes a quit signal: the main thread is the one that watches for it.
template <typename Load>
auto onLoadingThread(Load load)
{
    return std::async(std::launch::async, [load] {
        quit_signals::leaveToMainThread();
        return load();
    });
}

// The game in play when the player quits counts as left: its result
// enters the bests, which are saved with the record.
void keepResultAndSave()
{
    results::noteGameLeft(playing::round());
    game_files::saveRecord();
}

} // namespace

void loadResources(textures::ReadImages images)
{
    textures::initImageLibrary();
    textures::loadTextureTable(std::move(images));
    records::loadRecords(game_files::recordFile());
    game_files::loadBests();
    // The texts first: the fonts are chosen to hold their letters.
    language::loadLanguage();
    draw::chooseFontsFor(language::allTexts());
    draw::createFonts();
}

void loadResources() { loadResources(textures::readTextureTable()); }

void shutdown()
{
    // GL objects go while the context still exists; the window closes and
    // the record is written right after.
    textures::releaseTextures();
    still_frame::releaseStillFrame();
    background::releaseBackground();
    draw::deleteFonts();
    display::closeDisplay();
    keepResultAndSave();
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
    language::chooseLanguage(request.language);
    if (game_files::firstStartEver())
        help_page::offerHint();
    // Before any thread of the game's exists.
    audio::startLibrary();
    // A launcher closed instead of started ends the process on the spot,
    // reading or not.
    auto images = onLoadingThread(textures::readTextureTable);
    // Nothing is heard before the window is there; loaded while the launcher
    // waits, the sounds no longer hold up the first frame after Enter.
    auto sounds = onLoadingThread([] {
        sound::loadSoundBank();
        audio::releaseThreadState();
    });
    int colorDepth = request.colorDepth;
    bool fullscreen = request.fullscreen;
    if (!request.skipLauncher) {
        // The GL driver takes a good part of a second to start: it starts
        // while the player reads the launcher, so that Enter only shows the
        // window. A window that could not be made then is tried again after.
        launcher::runLauncher(request.colorDepth, [](int depth) { display::prepareDisplay(depth); });
        colorDepth = launcher::colorDepth;
        fullscreen = launcher::fullscreen;
    }
    // From here a quit signal ends the game in order, however far it loaded.
    quit_signals::install();
    if (!display::openDisplay(colorDepth, fullscreen)) {
        sounds.wait();
        sound::freeSoundBank();
        const std::string noDisplay = dialog::noDisplayReason();
        if (!noDisplay.empty())
            std::fprintf(stderr, "kalup: %s\n", noDisplay.c_str());
        else
            dialog::messageBox("Kalup could not open its window: the graphics system refused it.");
        // The images are never used: the reader is only waited for.
        images.wait();
        return 1;
    }
    seam::install(&display::glfwBackend());
    sounds.wait();
    toggles::restoreMute();
    sound::startMusic();
    loadResources(images.get());
    // A logout or a crashed X server ends the process from inside Xlib; the
    // record on the screen is saved first.
    display_lost::onDisplayLost(keepResultAndSave);
    shell::mainLoop();
    shutdown();
    return 0;
}

} // namespace kalup::lifecycle
