#pragma once
// One playing frame: board animation, timers, the mode's rules, input.
#include "board/board.h"
#include "board/events.h"
#include "game/game_state.h"
#include "game/scene.h"

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

// Steps the round by one frame and notes in `scene` what the frame shows.
// The record/score line applies the record rule to `classicRecord`.
void updateGame(Round& round, const FrameInput& input, board::Events& events, Scene& scene, int& classicRecord);
// The ghosts as this frame shows them, then faded for the next; after the
// round's frame, so they go over everything else of it.
void showGhosts(board::BoardState& state, Scene& scene);

} // namespace kalup::game
