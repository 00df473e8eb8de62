#pragma once
// What a playing frame shows, in the order it is drawn. The rules step the
// round and note each thing as it stands at its moment in the frame (the
// board before an end screen shakes it and before the hover swells it, the
// numbers of the line before the click adds to the score); the view then
// draws the list as it was noted.
#include <variant>
#include <vector>

#include "board/board.h"

namespace kalup::game {

struct ShownBoard {
    board::Board cells;
    float alpha;
};

struct ShownFeedRow {
    board::Cell slots[board::COLS];
};

// The record/score line.
struct ShownHud {
    int y;
    int record;
    int score;
};

enum class EndScreen { LevelCompleted, BoardCleared, NoMoreMoves, SurvivalOver };

struct ShownEndScreen {
    EndScreen screen;
    int slide;
    int score;
    int level;
    double survivalTime;
    // The result is the mode's new best: the screen says so.
    bool newBest = false;
    // The first frame that shows this round lost: its result is final.
    bool lossNoted = false;
};

struct ShownSurvivalTimer {
    double survivalTime;
};

// A new round's backdrop was chosen here: the screen is cleared for it.
struct ShownRoundStart {};

// The cell the keys or the pad steered the pointer to, framed over the board.
struct ShownSteeredCell {
    board::CellPos cell;
};

struct ShownGhosts {
    board::Board ghosts;
};

using Shown = std::variant<ShownBoard, ShownFeedRow, ShownHud, ShownEndScreen, ShownSurvivalTimer, ShownRoundStart,
    ShownGhosts, ShownSteeredCell>;
using Scene = std::vector<Shown>;

} // namespace kalup::game
