#pragma once
// Clicks on the board: the player's input, the lock-out between accepted
// clicks, the lift every click gives the board and the hover highlight.
#include "board/board.h"

namespace kalup::board {

// A hovered piece grows by 2 a frame up to this size, against the 1 a frame
// every piece relaxes by, so it settles near it.
inline constexpr int HOVER_SIZE = 96;

// What the player does to the board in a frame: the hovered cell, whether
// the button is pressed (held, or Enter gone down this frame), and the time.
struct BoardInput {
    CellPos hover;
    bool pressed;
    double now;
};

// True for a press at least 0.4 s after the last accepted click.
bool acceptClick(BoardState& state, const BoardInput& input);
// The round start counts as a click: none is accepted in the round's first 0.4 s.
void lockClicksFrom(BoardState& state, double now);
void liftBoard(BoardState& state);
// The hover highlight of a group's piece, or of a lone bomb or paint piece.
void swell(Cell& cell);

} // namespace kalup::board
