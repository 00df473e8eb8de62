#pragma once
// The help page: how to play, over whatever screen it was opened on. F1
// opens it on any screen and closes it again, as does Escape. A round under
// it stands still as under P; the menu under it takes no input. The Escape
// that closes the page leaves nothing else: the round goes on, however long
// the key is held.
#include "app/screen.h"

namespace kalup::help_page {

class HelpPage final : public screens::Screen {
public:
    // The first start's hint has served.
    void enter() override;
    void update(screens::Changes&) override {}
    // F1 closes it.
    void followKeys(screens::Changes& asked) override;
    // The page over the picture drawn before it.
    void draw() override;
    bool isPage() const override { return true; }
    bool standsStill() const override { return true; }
};

// Shown on the menu the first time the game ever starts, until the player
// opens the help.
void offerHint();
bool hintOffered();

} // namespace kalup::help_page
