#include "game/update.h"

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/specials.h"
#include "board/steering.h"
#include "data/sound.h"
#include "game/game_state.h"
#include "game/lines.h"
#include "game/screens.h"
#include "platform/keys.h"
#include "platform/random.h"
#include "platform/seam.h"
#include "render/draw.h"

namespace kalup::game {

namespace {

using board::board;

// Held space, or Enter on the frame it goes down, deals the next round.
bool continueAsked() { return seam::keyDown(seam::Key::Space) || keys::wentDown(seam::Key::Enter); }

// A tremble of -9..+9, peaked at 0: the difference of two draws of 0..9.
int jitter()
{
    const int a = random::rand() % 10;
    const int b = random::rand() % 10;
    return a - b;
}

// Runs in every mode; only remove-two makes use of the releases. Nothing is
// released in the first 10 s of a round, and the first test after arming
// comes on the next frame.
void runFeedTimer()
{
    const double t = seam::now();
    if (feedArmed) {
        if (t > lastFeedTime + feedInterval) {
            if (play::gameMode == play::MODE_REMOVE_TWO)
                sound::play(sound::sndLinefall);
            lastFeedTime = t;
            board::feedActive = true;
        }
    } else if (t >= roundStartTime + 10.0) {
        feedArmed = true;
    }
}

// Classic keeps the board live under its end screens, so its frame always
// goes on to the board's input.
void playClassic()
{
    if (!board::movesAvailable()) {
        drawNoMoreMovesScreen();
        if (continueAsked())
            startRound();
    } else {
        drawHud();
    }
    if (board::boardIsEmpty()) {
        drawLevelScreen();
        if (continueAsked())
            startRound();
    }
}

// False when the frame ends here, without the board's input.
bool playRemoveTwo()
{
    if (!board::movesAvailable()) {
        drawNoMoreMovesScreen();
        if (continueAsked())
            startRound();
        return false;
    }
    if (board::boardIsEmpty()) {
        if (!clearSoundPlayed) {
            sound::play(sound::sndJump);
            clearSoundPlayed = true;
        }
        drawLevelUpScreen();
        if (continueAsked()) {
            startRound();
            // Every cleared board quickens the feed for the rest of the run.
            feedInterval -= 0.1;
        }
    } else {
        board::drawFeedRow();
        board::dropFeedRow();
    }
    drawHud();
    return true;
}

// False when the frame ends here: on the lost screen, on the losing frame
// and on the frame of every rise.
bool playSurvival()
{
    const Line timer = survivalTimerLine();
    draw::drawText(timer.text, 5, 15, draw::fontLabel);
    shakeTopColumns();
    if (ffOver) {
        drawSurvivalOverScreen();
        if (continueAsked()) {
            startRound();
            survivalTime = 0;
        }
        return false;
    }
    survivalTime = seam::now() - ffStartTime;
    const double t = seam::now();
    if (t >= lastRiseTime + riseInterval) {
        // A rise with no room ends the round; the board stays as it is.
        if (!board::topRowIsEmpty()) {
            ffOver = true;
            return false;
        }
        board::raiseBoard();
        lastRiseTime = t;
        riseInterval -= 0.01;
        return false;
    }
    return true;
}

bool playMode()
{
    switch (play::gameMode) {
    case play::MODE_CLASSIC:
        playClassic();
        return true;
    case play::MODE_REMOVE_TWO:
        return playRemoveTwo();
    case play::MODE_FF:
        return playSurvival();
    default:
        return false;
    }
}

} // namespace

void updateGame()
{
    board::animateBoard();
    board::steerPointer();
    board::mouseToCell();
    runFeedTimer();
    if (!playMode())
        return;
    board::handleBoardInput();
    board::settleBoard();
    board::paintStep();
}

// Columns reaching into the two top rows tremble as a warning: a column with
// pieces in both is shaken twice. The top cells themselves always get their
// own jitter, pieces or not.
void shakeTopColumns()
{
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < board::COLS; ++col) {
            board::Cell& cell = board[row][col];
            if (cell.kind != board::KIND_EMPTY) {
                for (int r = 0; r < board::ROWS; ++r)
                    board[r][col].x += jitter();
            }
            cell.x += jitter();
            cell.y += jitter();
        }
    }
}

void shakeBoard()
{
    for (auto& row : board) {
        for (board::Cell& cell : row) {
            if (cell.kind != board::KIND_EMPTY) {
                cell.x += jitter();
                cell.y += jitter();
            }
        }
    }
}

} // namespace kalup::game
