#pragma once
// Start-up from the launcher dialog, resource loading and shutdown.

namespace kalup::launcher {

extern bool launcherRunning;
extern int colorDepth;
extern bool fullscreen;

// Shows the dialog until the player starts; the close box ends the process
// with code 0, a dialog that cannot be created with code 1.
void runLauncher();
void loadResources();
void shutdown();
// The whole program: launcher, display, sound, resources, loop, shutdown.
int runGame();

} // namespace kalup::launcher
