#pragma once
// The whole program from start to end: command line, data folder, launcher,
// display, sound, resources, main loop and the orderly shutdown.

namespace kalup::lifecycle {

void loadResources();
void shutdown();
// Runs the game as the command line asks; the process's exit code.
int runGame(int argc, const char* const argv[]);

} // namespace kalup::lifecycle
