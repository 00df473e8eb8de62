#pragma once
// A round standing still: the game clock stops, nothing of the round runs,
// and its last picture is shown dimmed under a "Paused" line. When the pause
// ends the round goes on from exactly where it stood.
#include "app/screen.h"

namespace kalup::paused {

class PausedScreen final : public screens::Screen {
public:
    // Entered after a running frame has drawn everything but the cursor: that
    // picture is kept.
    void enter() override;
    void leave() override;
    void update(screens::Changes&) override {}
    // The kept picture dimmed, and the "Paused" line over it.
    void draw() override;
    // The help shows itself in place of the line.
    void drawUnderPage() override;
    bool standsStill() const override { return true; }
};

} // namespace kalup::paused
