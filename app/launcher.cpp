#include "app/launcher.h"

#include <cstdio>
#include <cstdlib>

#include "platform/dialog.h"

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

// The launcher fails only when no display can be reached: say why in one line.
[[noreturn]] void reportNoDisplay()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        std::fputs("kalup: no graphical display: DISPLAY is not set\n", stderr);
    else
        std::fprintf(stderr, "kalup: cannot open the display \"%s\"\n", name);
    std::_Exit(1);
}

} // namespace

void runLauncher(int initialDepth)
{
    if (!dialog::createLauncher(onLauncherCommand, onLauncherClose))
        reportNoDisplay();
    // Untouched, the game starts in full screen with the initial depth.
    dialog::checkLauncherButton(initialDepth == 16 ? dialog::ID_16_BIT : dialog::ID_32_BIT);
    dialog::checkLauncherButton(dialog::ID_FULLSCREEN);
    colorDepth = initialDepth;
    fullscreen = true;
    while (launcherRunning)
        dialog::pumpLauncher();
    dialog::destroyLauncher();
}

} // namespace kalup::launcher
