#pragma once
// From the launcher's Enter to the menu's first frame: the steps that
// lifecycle::runGame takes after the launcher, in its order, each timed, in
// a fresh process every time, so that the window system and the renderer
// start cold as they do for a player. What the game does while the launcher
// waits for the player (reading the images, loading the sounds, making the
// hidden window and starting the GL driver) is done before the clock starts.
namespace bench::startup {

inline constexpr int STEPS = 4;
inline constexpr const char* STEP_NAMES[STEPS] = {"window's first black frame", "sound started",
    "resources loaded", "first menu frame"};

// Milliseconds from the start to the end of each step, measured in a child
// process; false when the child could not open the window.
bool measure(bool fullscreen, double (&stepEnds)[STEPS]);

} // namespace bench::startup
