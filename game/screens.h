#pragma once
// The record/score line and the four end-of-round screens.

namespace kalup::game {

void drawHud();
void drawLevelScreen();
void drawLevelUpScreen();
void drawNoMoreMovesScreen();
void drawSurvivalOverScreen();

} // namespace kalup::game
