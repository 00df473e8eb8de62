#pragma once
// The playing screen: it owns the game being played (or the last one),
// starts and ends a game, and runs and draws the frames of its rounds. The
// end screens (app/round_over.h) run the very same frames.
#include "app/screen.h"
#include "game/game_state.h"
#include "game/update.h"

namespace kalup::playing {

game::Round& round();

// A new game of the mode: fonts anew, its first round dealt, and the
// round's backdrop made ready, here in the frame where it starts.
void startGame(int mode);
// Back to the menu: the board and the level are cleared.
void endGame();

// The round's rules for one frame, noted for drawRound.
game::FrameResult stepRound();
// The frame stepRound noted: the board, the line or end screens, the ghosts.
void drawRound();

// A round in play; it gives way to the end screens when a frame shows one.
class PlayingScreen final : public screens::Screen {
public:
    void update(screens::Changes& asked) override;
    void draw() override { drawRound(); }
    bool runsRound() const override { return true; }
};

} // namespace kalup::playing
