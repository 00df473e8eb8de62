#pragma once
// The whole program from start to end: launcher, display, sound, resources,
// main loop and the orderly shutdown.

namespace kalup::lifecycle {

void loadResources();
void shutdown();
// Runs the game; the process's exit code.
int runGame();

} // namespace kalup::lifecycle
