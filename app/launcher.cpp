#include "app/launcher.h"

#include <cstdio>
#include <cstdlib>

#include "platform/dialog.h"

namespace kalup::launcher {

int colorDepth = 0;
bool fullscreen = false;

namespace {

bool launcherRunning = true;

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

void runLauncher(int initialDepth, void (*whileWaiting)(int initialDepth))
{
    // The launcher fails only when no display can be reached: say why in one line.
    if (!dialog::createLauncher(onLauncherCommand, onLauncherClose)) {
        std::fprintf(stderr, "kalup: %s\n", dialog::noDisplayReason().c_str());
        std::_Exit(1);
    }
    // Untouched, the game starts in full screen with the initial depth.
    dialog::checkLauncherButton(initialDepth == 16 ? dialog::ID_16_BIT : dialog::ID_32_BIT);
    dialog::checkLauncherButton(dialog::ID_FULLSCREEN);
    colorDepth = initialDepth;
    fullscreen = true;
    dialog::drawLauncherNow();
    whileWaiting(initialDepth);
    while (launcherRunning)
        dialog::pumpLauncher();
    dialog::destroyLauncher();
}

} // namespace kalup::launcher
