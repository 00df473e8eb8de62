#include "game/update.h"

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/specials.h"
#include "game/game_state.h"
#include "game/lines.h"
#include "game/screens.h"
#include "platform/random.h"
#include "render/draw.h"

namespace kalup::game {

namespace {

using board::board;

board::CellPos hover{0, 0};

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
void runFeedTimer(double t, board::Events& events)
{
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
void playClassic(const FrameInput& input, board::Events& events)
{
    if (!board::movesAvailable()) {
        drawNoMoreMovesScreen();
        if (input.continuing)
            startRound(input.now, events);
    } else {
        drawHud();
    }
    if (board::boardIsEmpty()) {
        drawLevelScreen();
        if (input.continuing)
            startRound(input.now, events);
    }
}

// False when the frame ends here, without the board's input.
bool playRemoveTwo(const FrameInput& input, board::Events& events)
{
    if (!board::movesAvailable()) {
        drawNoMoreMovesScreen();
        if (input.continuing)
            startRound(input.now, events);
        return false;
    }
    if (board::boardIsEmpty()) {
        if (!clearSoundPlayed) {
            events.playSound(board::Sound::BoardCleared);
            clearSoundPlayed = true;
        }
        drawLevelUpScreen();
        if (input.continuing) {
            startRound(input.now, events);
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
bool playSurvival(const FrameInput& input, board::Events& events)
{
    const Line timer = survivalTimerLine();
    draw::drawText(timer.text, 5, 15, draw::fontLabel);
    shakeTopColumns();
    if (ffOver) {
        drawSurvivalOverScreen();
        if (input.continuing) {
            startRound(input.now, events);
            survivalTime = 0;
        }
        return false;
    }
    survivalTime = input.now - ffStartTime;
    const double t = input.now;
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

bool playMode(const FrameInput& input, board::Events& events)
{
    switch (play::gameMode) {
    case play::MODE_CLASSIC:
        playClassic(input, events);
        return true;
    case play::MODE_REMOVE_TWO:
        return playRemoveTwo(input, events);
    case play::MODE_FF:
        return playSurvival(input, events);
    default:
        return false;
    }
}

} // namespace

void updateGame(const FrameInput& input, board::Events& events)
{
    board::animateBoard(input.now);
    hover = board::cellUnderPointer(input.pointerX, input.pointerY);
    runFeedTimer(input.now, events);
    if (!playMode(input, events))
        return;
    board::handleBoardInput({hover, input.pressed, input.now}, events);
    board::settleBoard(events);
    board::paintStep(events);
}

board::CellPos hoveredCell() { return hover; }

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
