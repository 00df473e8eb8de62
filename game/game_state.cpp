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
void stepLevel()
{
    if (board::boardCleared && level < 50)
        ++level;
    if (level == 50)
        level = 0;
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

} // namespace

void startRound(double now, board::Events& events)
{
    riseInterval = 3.0;
    ffOver = false;
    ffStartTime = now;
    clearSoundPlayed = false;
    // The click lock-out runs from the round start: no click in its first 0.4 s.
    board::lockClicksFrom(now);
    feedArmed = false;
    roundStartTime = now;
    stepLevel();
    panelSlide = -256;
    events.playSound(board::Sound::RoundStarted);
    board::boardCleared = false;
    hudY = -20;
    board::boardAlpha = 0.0f;
    events.roundStarting();
    board::clearBoard();
    deal();
}

} // namespace kalup::game
