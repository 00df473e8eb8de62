#pragma once
// The main loop and its pacing, over the screens of the game.
#include "app/screen_machine.h"

namespace kalup::shell {

inline constexpr double FRAME_PERIOD = 1.0 / 70.0;

// What the loop keeps from frame to frame.
struct LoopState {
    // Ends the loop at the top of the next iteration.
    bool quitRequested = false;
    // The end of this frame's pacing wait, and of the previous frame's.
    double frameTime = 0.0;
    double lastFrameTime = 0.0;
};

// The loop's state and its screens; the loop owns them.
LoopState& loop();
screens::ScreenMachine& screens();

void mainLoop();
// One iteration of the main loop; false once a quit was requested.
bool runFrame();

} // namespace kalup::shell
