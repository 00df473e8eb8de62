#include "tests/game_rounds.h"

#include "app/shell.h"
#include "board/board.h"
#include "board/falling.h"
#include "board/specials.h"
#include "data/records.h"
#include "game/game_state.h"
#include "game/update.h"
#include "tests/harness.h"

namespace gametest {

namespace game = kalup::game;

const boardtest::Picture noMoves = {
    "012301230123", "123012301230", "230123012301",
    "301230123012", "012301230123", "123012301230",
    "230123012301", "301230123012", "012301230123",
};

const boardtest::Picture onePair = {
    "012301230123", "123012301230", "230123012301",
    "301230123012", "012301230123", "123012301230",
    "230123012301", "301230123012", "112301230123",
};

void freshRun(double time)
{
    harness::needDisplay();
    game::gameMode = game::MODE_CLASSIC;
    game::level = 0;
    game::score = 0;
    game::hudY = -20;
    game::panelSlide = -256;
    game::roundStartTime = 0.0;
    game::feedArmed = false;
    game::feedInterval = 2.0;
    game::lastFeedTime = 0.0;
    game::ffStartTime = 0.0;
    game::survivalTime = 0.0;
    game::riseInterval = 3.0;
    game::lastRiseTime = 0.0;
    game::ffOver = false;
    game::clearSoundPlayed = false;
    kalup::board::feedActive = false;
    kalup::board::paintQueue.clear();
    kalup::board::boardCleared = false;
    kalup::records::classicRecord = 0;
    kalup::shell::screenState = kalup::shell::SCREEN_PLAYING;
    pointAtCell(0, 0);
    harness::input().time = time;
}

void startRoundAt(int mode, double time)
{
    game::gameMode = mode;
    harness::input().time = time;
    game::startRound();
}

void frameAt(double time)
{
    harness::input().time = time;
    game::updateGame();
}

void framesAt(int count, double time)
{
    for (int i = 0; i < count; ++i)
        frameAt(time);
}

void holdSpace(bool held)
{
    if (held)
        harness::input().press(kalup::seam::Key::Space);
    else
        harness::input().release(kalup::seam::Key::Space);
}

void pointAtCell(int row, int col)
{
    kalup::shell::mouseX = kalup::board::homeXOf(col);
    kalup::shell::mouseY = 64 * row + 20;
}

} // namespace gametest
