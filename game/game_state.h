#pragma once
// The round and level state, and the start of a round in the current mode
// (the mode itself and the score are in board/play.h).
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

void startRound(double now, board::Events& events);

} // namespace kalup::game
