#pragma once
// Rounds for the game tests: the state of a fresh run, playing frames on
// the scripted clock, and pictures of boards that end a round.
#include "tests/board_picture.h"

namespace gametest {

// The game's state as at program start, a display for the drawing, and
// the scripted clock at the given time.
void freshRun(double time = 100.0);

// A round dealt by startRound in the given mode at the given time.
void startRoundAt(int mode, double time);

// One playing frame at the given time.
void frameAt(double time);
// Several frames at the same time.
void framesAt(int count, double time);

void holdSpace(bool held);

// The cursor over a cell, as the main loop leaves it for the playing frame.
void pointAtCell(int row, int col);

// No two like pieces touch and every column is full: no move in any mode.
extern const boardtest::Picture noMoves;
// One pair of colour 1 at the bottom left, the rest as in noMoves.
extern const boardtest::Picture onePair;

} // namespace gametest
