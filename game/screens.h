#pragma once
// The record/score line, the survival timer and the four end-of-round
// screens, drawn as a playing frame noted them.
#include "game/scene.h"

namespace kalup::game {

void drawHud(const ShownHud& hud);
void drawSurvivalTimer(const ShownSurvivalTimer& timer, float alpha);
void drawEndScreen(const ShownEndScreen& shown);

} // namespace kalup::game
