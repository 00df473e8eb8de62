#pragma once
// The main loop, its pacing and the screen states.

namespace kalup::shell {

inline constexpr int SCREEN_MENU = 0;
inline constexpr int SCREEN_PLAYING = 1;
inline constexpr double FRAME_PERIOD = 1.0 / 70.0;

extern int screenState;
extern bool quitRequested;
extern double frameTime;
extern double lastFrameTime;
extern float survivalBackdropAngle;

void mainLoop();
// One iteration of the main loop; false once a quit was requested.
bool runFrame();
void frameDispatch();
void returnToMenu();
// Leaves the menu for a new game of the mode.
void startGame(int mode);
// Space on the menu.
void startClassicGame();

} // namespace kalup::shell
