#pragma once
// Draws a playing frame as its rules noted it: the board, the feed row, the
// line, the timer, the end screens, a new round's clearing and the ghosts,
// in the order noted.
#include "game/scene.h"
#include "render/textures.h"

namespace kalup::game {

textures::Texture pieceTexture(int kind);
// A bomb leaves the flash of its blast rather than its own picture.
textures::Texture ghostTexture(const board::Cell& ghost);

void drawScene(const Scene& scene);

} // namespace kalup::game
