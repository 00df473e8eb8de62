#pragma once
// One playing frame: board animation, timers, the mode's rules, input.
#include "board/board.h"
#include "board/events.h"

namespace kalup::game {

// What reaches a playing frame from the player: the pointer in screen
// units; the button, held or Enter gone down this frame; a continue, space
// held or Enter gone down; and the game clock.
struct FrameInput {
    int pointerX;
    int pointerY;
    bool pressed;
    bool continuing;
    double now;
};

void updateGame(const FrameInput& input, board::Events& events);
// The cell the last playing frame found under the pointer.
board::CellPos hoveredCell();
void shakeTopColumns();
void shakeBoard();

} // namespace kalup::game
