#pragma once
// The game modes, the round and level state, and the start of a round.

namespace kalup::game {

inline constexpr int MODE_CLASSIC = 0;
inline constexpr int MODE_REMOVE_TWO = 2;
inline constexpr int MODE_FF = 3;

extern int gameMode;
extern int level;
extern int score;
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

void startRound();

} // namespace kalup::game
