#pragma once
// Results of finished games into the tables of bests: a lost falling-rows
// or survival round on its end screen, a classic game when the player
// leaves it (to the menu, or quitting in any way), each once. Dated by the
// wall clock, not the game clock.
#include "game/game_state.h"
#include "game/scene.h"

namespace kalup::results {

// After a playing frame's rules: a losing end screen of falling rows or
// survival enters the round's result, and the screen says "new record"
// when it is the mode's new best.
void noteRoundEnd(game::Round& round, game::Scene& scene);
// The player leaves the game in play: a classic game's score enters.
void noteGameLeft(game::Round& round);

} // namespace kalup::results
