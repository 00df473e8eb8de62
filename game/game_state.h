#pragma once
// The round and level state, the start of a game and of a round in the
// current mode, and the end of a game (the mode itself and the score are in
// board/play.h).
#include "board/events.h"

namespace kalup::game {

extern int level;
extern int hudY;
extern int panelSlide;
extern double roundStartTime;
extern bool feedArmed;
extern double feedInterval;
extern double lastFeedTime;
extern double ffStartTime;
extern double survivalTime;
extern double riseInterval;
extern double lastRiseTime;
extern bool ffOver;
extern bool clearSoundPlayed;

// The next round of the game: a cleared board steps the level.
void startRound(double now, board::Events& events);
// A new game of the mode, score 0, its first round dealt.
void startGame(int mode, double now, board::Events& events);
// Back to the menu: the board and the level are cleared.
void endGame();

} // namespace kalup::game
