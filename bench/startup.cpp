#include "bench/startup.h"

#include <GL/gl.h>
#include <cstdio>
#include <future>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

#include "app/lifecycle.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "bench/measure.h"
#include "data/sound.h"
#include "platform/display.h"
#include "platform/quit_signals.h"
#include "platform/seam.h"
#include "render/textures.h"

namespace bench::startup {

namespace {

using namespace kalup;

// The steps of the game's start-up after the launcher, as runGame takes them.
bool runSteps(bool fullscreen, double (&stepEnds)[STEPS])
{
    // The game reads the images and loads the sounds while the launcher
    // waits for the player.
    auto sounds = std::async(std::launch::async, sound::loadSoundBank);
    textures::ReadImages images = textures::readTextureTable();
    display::prepareDisplay(32);
    sounds.wait();
    const double start = measure::wallMilliseconds();
    quit_signals::install();
    if (!display::openDisplay(32, fullscreen))
        return false;
    stepEnds[0] = measure::wallMilliseconds() - start;
    seam::install(&display::glfwBackend());
    toggles::restoreMute();
    sound::startMusic();
    stepEnds[1] = measure::wallMilliseconds() - start;
    lifecycle::loadResources(std::move(images));
    stepEnds[2] = measure::wallMilliseconds() - start;
    shell::runFrame();
    glFinish();
    stepEnds[3] = measure::wallMilliseconds() - start;
    return true;
}

} // namespace

bool measure(bool fullscreen, double (&stepEnds)[STEPS])
{
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    // The child must not print what the parent has buffered.
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const bool opened = runSteps(fullscreen, stepEnds);
        if (opened && write(channel[1], stepEnds, sizeof stepEnds) != static_cast<ssize_t>(sizeof stepEnds))
            _exit(1);
        // Nothing of the game is shut down: the process simply ends.
        _exit(opened ? 0 : 1);
    }
    close(channel[1]);
    const bool read = child > 0 && ::read(channel[0], stepEnds, sizeof stepEnds) == static_cast<ssize_t>(sizeof stepEnds);
    close(channel[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace bench::startup
