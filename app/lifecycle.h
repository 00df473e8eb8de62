#pragma once
// The whole program from start to end: command line, data folder, launcher,
// display, sound, resources, main loop and the orderly shutdown.
#include "render/textures.h"

namespace kalup::lifecycle {

// Textures from the images read ahead, records, fonts and texts, with the
// GL context current.
void loadResources(textures::ReadImages images);
// The same, reading the images on the spot.
void loadResources();
void shutdown();
// Runs the game as the command line asks; the process's exit code.
int runGame(int argc, const char* const argv[]);

} // namespace kalup::lifecycle
