#pragma once
// The frame benchmark's road for time and input: keys, button and pointer
// are scripted, and each frame is shown by the game window's own present,
// with its real copy and swap. Unpaced, the clock is scripted too and every
// frame wait ends at once at its deadline (after taking the window's events,
// as the game's wait does); paced, the clock and the wait are the game's own.
#include <cstdint>

#include "platform/seam.h"

namespace bench {

class BenchSeam final : public kalup::seam::Backend {
public:
    bool paced = false;
    double time = 0.0;
    bool button = false;
    // The window as the player has it: with the focus, and to be seen.
    bool focus = true;
    bool visible = true;
    double cursorX = 400.0;
    double cursorY = 100.0;

    double now() override;
    std::int64_t wallClockSeconds() override { return 1700000000; }
    bool keyDown(kalup::seam::Key) override { return false; }
    bool leftButtonDown() override { return button; }
    bool focused() override { return focus; }
    void cursor(double& x, double& y) override;
    void setCursor(double x, double y) override;
    double waitUntil(double deadline) override;
    double waitForEvents(double deadline) override;
    // Unpaced, waits for the renderer to finish the frame, so that a frame's
    // time holds all of its work.
    void present() override;
    bool shown() override { return visible; }
    bool pictureLost() override;
    void switchScreenMode() override {}
    bool closeRequested() override { return false; }
};

} // namespace bench
