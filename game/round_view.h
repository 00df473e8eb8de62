#pragma once
// Draws a playing frame as its rules noted it: the board, the feed row, the
// line, the timer, the end screens, a new round's clearing and the ghosts,
// in the order noted.
#include "game/scene.h"
#include "render/textures.h"

namespace kalup::game {

// The frame of the steered cell lies between these half sides: its bright
// line 2 units inside each edge.
inline constexpr float STEERED_FRAME_INNER = 29.0f;
inline constexpr float STEERED_FRAME_OUTER = 35.0f;

textures::Texture pieceTexture(int kind);
// A bomb leaves the flash of its blast rather than its own picture.
textures::Texture ghostTexture(const board::Cell& ghost);

// Frames the cell over the board and under all else the frame shows, so a
// player steering with the keys or a pad sees where the pointer is, on a
// lone piece or an empty place too.
void markSteeredCell(Scene& scene, board::CellPos cell);

void drawScene(const Scene& scene);

} // namespace kalup::game
