#pragma once
// The round and the game it belongs to: the board, the level, the score and
// the timers of the modes; the start of a game and of a round, and the end
// of a game.
#include "board/board.h"
#include "board/events.h"

namespace kalup::game {

struct Round {
    board::BoardState board;
    // The cell the last playing frame found under the pointer.
    board::CellPos hover{0, 0};
    // Points of the current game; a new game sets it to 0.
    int score = 0;
    int level = 0;
    // y of the record/score line, and the slide of the end screens.
    int hudY = -20;
    int panelSlide = -256;
    double roundStartTime = 0.0;
    bool feedArmed = false;
    // These three belong to the whole run: no round, game or menu visit restores them.
    double feedInterval = 2.0;
    double lastFeedTime = 0.0;
    double lastRiseTime = 0.0;
    // Each round restarts these.
    double survivalStartTime = 0.0;
    double survivalTime = 0.0;
    double riseInterval = 3.0;
    bool survivalOver = false;
    bool clearSoundPlayed = false;
    // The round's loss was shown: its end screen has been noted once.
    bool lossShown = false;
    // The lost round's result became the mode's best.
    bool newBest = false;
    // The game's result has entered the bests (a classic game's, when it is
    // left); each game starts without.
    bool resultKept = false;
};

// The next round of the game: a cleared board steps the level.
void startRound(Round& round, double now, board::Events& events);
// A new game of the mode, score 0, its first round dealt.
void startGame(Round& round, int mode, double now, board::Events& events);
// Back to the menu: the board and the level are cleared.
void endGame(Round& round);

} // namespace kalup::game
