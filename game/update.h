#pragma once
// One playing frame: board animation, timers, the mode's rules, input.
#include <optional>

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

// How a playing frame left the round's end. The end screens are the rules'
// own checks of every frame, not a state the round enters: classic keeps
// its board live under them, and a no-more-moves screen gives way when a
// move comes back.
struct FrameResult {
    // The end screen the frame showed, the last one when classic showed its
    // level screen over the no-more-moves screen.
    std::optional<EndScreen> endScreen;
    // Space went on from an end screen to the next round in the frame.
    bool continued = false;
};

// Steps the round by one frame and notes in `scene` what the frame shows.
// The record/score line applies the record rule to `classicRecord`.
FrameResult updateGame(Round& round, const FrameInput& input, board::Events& events, Scene& scene,
    int& classicRecord);
// The ghosts as this frame shows them, then faded for the next; after the
// round's frame, so they go over everything else of it.
void showGhosts(board::BoardState& state, Scene& scene);

} // namespace kalup::game
