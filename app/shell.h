#pragma once
// The main loop, its pacing and the screen states.
#include "game/game_state.h"

namespace kalup::shell {

inline constexpr int SCREEN_MENU = 0;
inline constexpr int SCREEN_PLAYING = 1;
inline constexpr double FRAME_PERIOD = 1.0 / 70.0;

extern int screenState;
extern bool quitRequested;
extern double frameTime;
extern double lastFrameTime;
extern float survivalBackdropAngle;

// The game being played, or the last one; the shell owns it.
game::Round& round();

void mainLoop();
// One iteration of the main loop; false once a quit was requested.
bool runFrame();
void frameDispatch();
void returnToMenu();
void startClassicGame();
void startRemoveTwoGame();
void startSurvivalGame();

} // namespace kalup::shell
