#include "game/game_state.h"

#include "board/clicks.h"
#include "board/deal.h"

namespace kalup::game {

namespace {

// A cleared board advances the level; 50 wraps to 0 at once, so the level
// screen counts 1..50 and then starts again at 1.
int steppedLevel(const Round& round)
{
    int next = round.level;
    if (round.board.boardCleared && next < 50)
        ++next;
    if (next == 50)
        next = 0;
    return next;
}

void deal(board::BoardState& state)
{
    switch (state.gameMode) {
    case play::MODE_CLASSIC:
    case play::MODE_SURVIVAL:
        board::fillBoard(state, 3);
        break;
    case play::MODE_REMOVE_TWO:
        board::fillBoard(state, 4);
        break;
    default:
        break;
    }
}

void dealRound(Round& round, double now, int level, board::Events& events)
{
    round.riseInterval = 3.0;
    round.survivalOver = false;
    round.survivalStartTime = now;
    round.clearSoundPlayed = false;
    round.lossShown = false;
    round.newBest = false;
    // The click lock-out runs from the round start: no click in its first 0.4 s.
    board::lockClicksFrom(round.board, now);
    round.feedArmed = false;
    round.roundStartTime = now;
    round.level = level;
    round.panelSlide = -256;
    events.playSound(board::Sound::RoundStarted);
    round.board.boardCleared = false;
    round.hudY = -20;
    round.board.boardAlpha = 0.0f;
    events.roundStarting();
    board::clearBoard(round.board);
    deal(round.board);
}

} // namespace

void startRound(Round& round, double now, board::Events& events)
{
    dealRound(round, now, steppedLevel(round), events);
}

void startGame(Round& round, int mode, double now, board::Events& events)
{
    round.score = 0;
    round.resultKept = false;
    board::clearBoard(round.board);
    round.board.gameMode = mode;
    // Remove-two and survival always begin at level 1; a classic game goes on
    // from level 0, stepped if the last round left its board cleared.
    dealRound(round, now, mode == play::MODE_CLASSIC ? steppedLevel(round) : 1, events);
}

void endGame(Round& round)
{
    board::clearBoard(round.board);
    round.level = 0;
}

} // namespace kalup::game
