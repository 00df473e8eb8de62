#include "game/update.h"

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/specials.h"
#include "board/steering.h"
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
void runFeedTimer(board::Events& events)
{
    const double t = seam::now();
    if (feedArmed) {
        if (t > lastFeedTime + feedInterval) {
            if (play::gameMode == play::MODE_REMOVE_TWO)
                events.playSound(board::Sound::FeedReleased);
            lastFeedTime = t;
            board::feedActive = true;
        }
    } else if (t >= roundStartTime + 10.0) {
        feedArmed = true;
    }
}

// Classic keeps the board live under its end screens, so its frame always
// goes on to the board's input.
void playClassic(board::Events& events)
{
    if (!board::movesAvailable()) {
        drawNoMoreMovesScreen();
        if (continueAsked())
            startRound(events);
    } else {
        drawHud();
    }
    if (board::boardIsEmpty()) {
        drawLevelScreen();
        if (continueAsked())
            startRound(events);
    }
}

// False when the frame ends here, without the board's input.
bool playRemoveTwo(board::Events& events)
{
    if (!board::movesAvailable()) {
        drawNoMoreMovesScreen();
        if (continueAsked())
            startRound(events);
        return false;
    }
    if (board::boardIsEmpty()) {
        if (!clearSoundPlayed) {
            events.playSound(board::Sound::BoardCleared);
            clearSoundPlayed = true;
        }
        drawLevelUpScreen();
        if (continueAsked()) {
            startRound(events);
            // Every cleared board quickens the feed for the rest of the run.
            feedInterval -= 0.1;
        }
    } else {
        board::drawFeedRow();
        board::dropFeedRow(events);
    }
    drawHud();
    return true;
}

// False when the frame ends here: on the lost screen, on the losing frame
// and on the frame of every rise.
bool playSurvival(board::Events& events)
{
    const Line timer = survivalTimerLine();
    draw::drawText(timer.text, 5, 15, draw::fontLabel);
    shakeTopColumns();
    if (ffOver) {
        drawSurvivalOverScreen();
        if (continueAsked()) {
            startRound(events);
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
        board::raiseBoard(events);
        lastRiseTime = t;
        riseInterval -= 0.01;
        return false;
    }
    return true;
}

bool playMode(board::Events& events)
{
    switch (play::gameMode) {
    case play::MODE_CLASSIC:
        playClassic(events);
        return true;
    case play::MODE_REMOVE_TWO:
        return playRemoveTwo(events);
    case play::MODE_FF:
        return playSurvival(events);
    default:
        return false;
    }
}

} // namespace

void updateGame(board::Events& events)
{
    board::animateBoard();
    board::steerPointer();
    board::mouseToCell();
    runFeedTimer(events);
    if (!playMode(events))
        return;
    board::handleBoardInput(events);
    board::settleBoard(events);
    board::paintStep(events);
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
