#include "game/game_state.h"

#include "board/board.h"
#include "board/groups.h"
#include "board/play.h"

namespace kalup::game {

int level = 0;
int hudY = -20;
int panelSlide = -256;
double roundStartTime = 0.0;
bool feedArmed = false;
// These three belong to the whole run: no round, game or menu visit restores them.
double feedInterval = 2.0;
double lastFeedTime = 0.0;
double lastRiseTime = 0.0;
// Each round restarts these.
double ffStartTime = 0.0;
double survivalTime = 0.0;
double riseInterval = 3.0;
bool ffOver = false;
bool clearSoundPlayed = false;

namespace {

// A cleared board advances the level; 50 wraps to 0 at once, so the level
// screen counts 1..50 and then starts again at 1.
int steppedLevel()
{
    int next = level;
    if (board::boardCleared && next < 50)
        ++next;
    if (next == 50)
        next = 0;
    return next;
}

void deal()
{
    switch (play::gameMode) {
    case play::MODE_CLASSIC:
    case play::MODE_FF:
        board::fillBoard(3);
        break;
    case play::MODE_REMOVE_TWO:
        board::fillBoard(4);
        break;
    default:
        break;
    }
}

void dealRound(double now, int roundLevel, board::Events& events)
{
    riseInterval = 3.0;
    ffOver = false;
    ffStartTime = now;
    clearSoundPlayed = false;
    // The click lock-out runs from the round start: no click in its first 0.4 s.
    board::lockClicksFrom(now);
    feedArmed = false;
    roundStartTime = now;
    level = roundLevel;
    panelSlide = -256;
    events.playSound(board::Sound::RoundStarted);
    board::boardCleared = false;
    hudY = -20;
    board::boardAlpha = 0.0f;
    events.roundStarting();
    board::clearBoard();
    deal();
}

} // namespace

void startRound(double now, board::Events& events) { dealRound(now, steppedLevel(), events); }

void startGame(int mode, double now, board::Events& events)
{
    play::score = 0;
    board::clearBoard();
    play::gameMode = mode;
    // Remove-two and survival always begin at level 1; a classic game goes on
    // from level 0, stepped if the last round left its board cleared.
    dealRound(now, mode == play::MODE_CLASSIC ? steppedLevel() : 1, events);
}

void endGame()
{
    board::clearBoard();
    level = 0;
}

} // namespace kalup::game
