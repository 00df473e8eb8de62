#pragma once
// The tables of bests, one column per mode with the dates, over the menu.
// B on the menu opens them; B or Escape closes them, and the Escape that
// closed them is not also taken by the menu.
#include <cstdint>

#include "app/screen.h"
#include "game/bests.h"
#include "game/lines.h"

namespace kalup::bests_page {

class BestsPage final : public screens::Screen {
public:
    void update(screens::Changes&) override {}
    // B closes them.
    void followKeys(screens::Changes& asked) override;
    // The tables over the picture drawn before them.
    void draw() override;
    bool isPage() const override { return true; }
    bool standsStill() const override { return true; }
};

// A result as the menu and the tables show it: points, or minutes and
// seconds lasted ("1:05").
game::Line resultLine(game::BestsTable table, std::int64_t value);

} // namespace kalup::bests_page
