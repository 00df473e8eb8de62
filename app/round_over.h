#pragma once
// The end screens of a round: no more moves, a cleared board, a lost
// survival round. The rules check for them in every frame of a round, and
// classic keeps its board live under them, so this screen runs the round's
// frames as play does; it stays while a frame shows an end screen and gives
// way to play when space went on to the next round or a move came back.
#include "app/screen.h"

namespace kalup::round_over {

class RoundOverScreen final : public screens::Screen {
public:
    void update(screens::Changes& asked) override;
    void draw() override;
    bool runsRound() const override { return true; }
};

} // namespace kalup::round_over
