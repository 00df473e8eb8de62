#include "game/update.h"

#include <algorithm>
#include <iterator>

#include "board/board.h"
#include "board/falling.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/specials.h"
#include "game/game_state.h"
#include "platform/random.h"

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

// What every frame of a round passes along: the player's input, the
// listener, the list of what is shown and the record the line keeps.
struct Frame {
    const FrameInput& input;
    board::Events& events;
    Scene& scene;
    int& classicRecord;
};

// The record rule: only the classic mode keeps a record, and only frames that
// draw the record/score line apply it.
void applyRecordRule(int& classicRecord)
{
    if (play::gameMode == play::MODE_CLASSIC && play::score > classicRecord)
        classicRecord = play::score;
}

// The line slides in from above, one unit a frame.
void showHud(Frame& frame)
{
    if (hudY < 15)
        ++hudY;
    applyRecordRule(frame.classicRecord);
    frame.scene.push_back(ShownHud{hudY, frame.classicRecord, play::score});
}

bool losing(EndScreen screen) { return screen == EndScreen::NoMoreMoves || screen == EndScreen::SurvivalOver; }

// Every end screen slides its panel in from x = 160 and its lines down from
// 256 units above their places, 16 units per frame; the losing ones shake the
// board after it was shown.
void showEndScreen(Frame& frame, EndScreen screen)
{
    if (losing(screen))
        shakeBoard();
    if (panelSlide < 0)
        panelSlide += 16;
    frame.scene.push_back(ShownEndScreen{screen, panelSlide, play::score, level, survivalTime});
}

// The next round is dealt in the middle of the frame: what the frame drew
// before gives way to the new round's backdrop.
void continueRound(Frame& frame)
{
    startRound(frame.input.now, frame.events);
    frame.scene.push_back(ShownRoundStart{});
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
void playClassic(Frame& frame)
{
    if (!board::movesAvailable()) {
        showEndScreen(frame, EndScreen::NoMoreMoves);
        if (frame.input.continuing)
            continueRound(frame);
    } else {
        showHud(frame);
    }
    if (board::boardIsEmpty()) {
        showEndScreen(frame, EndScreen::LevelCompleted);
        if (frame.input.continuing)
            continueRound(frame);
    }
}

// False when the frame ends here, without the board's input.
bool playRemoveTwo(Frame& frame)
{
    if (!board::movesAvailable()) {
        showEndScreen(frame, EndScreen::NoMoreMoves);
        if (frame.input.continuing)
            continueRound(frame);
        return false;
    }
    if (board::boardIsEmpty()) {
        if (!clearSoundPlayed) {
            frame.events.playSound(board::Sound::BoardCleared);
            clearSoundPlayed = true;
        }
        showEndScreen(frame, EndScreen::BoardCleared);
        if (frame.input.continuing) {
            continueRound(frame);
            // Every cleared board quickens the feed for the rest of the run.
            feedInterval -= 0.1;
        }
    } else {
        board::animateFeedRow();
        auto& shown = std::get<ShownFeedRow>(frame.scene.emplace_back(ShownFeedRow{}));
        std::copy(std::begin(board::feedRow), std::end(board::feedRow), shown.slots);
        board::dropFeedRow(frame.events);
    }
    showHud(frame);
    return true;
}

// False when the frame ends here: on the lost screen, on the losing frame
// and on the frame of every rise.
bool playSurvival(Frame& frame)
{
    frame.scene.push_back(ShownSurvivalTimer{survivalTime});
    shakeTopColumns();
    if (ffOver) {
        showEndScreen(frame, EndScreen::SurvivalOver);
        if (frame.input.continuing) {
            continueRound(frame);
            survivalTime = 0;
        }
        return false;
    }
    survivalTime = frame.input.now - ffStartTime;
    const double t = frame.input.now;
    if (t >= lastRiseTime + riseInterval) {
        // A rise with no room ends the round; the board stays as it is.
        if (!board::topRowIsEmpty()) {
            ffOver = true;
            return false;
        }
        board::raiseBoard(frame.events);
        lastRiseTime = t;
        riseInterval -= 0.01;
        return false;
    }
    return true;
}

bool playMode(Frame& frame)
{
    switch (play::gameMode) {
    case play::MODE_CLASSIC:
        playClassic(frame);
        return true;
    case play::MODE_REMOVE_TWO:
        return playRemoveTwo(frame);
    case play::MODE_FF:
        return playSurvival(frame);
    default:
        return false;
    }
}

} // namespace

void updateGame(const FrameInput& input, board::Events& events, Scene& scene, int& classicRecord)
{
    Frame frame{input, events, scene, classicRecord};
    auto& shown = std::get<ShownBoard>(scene.emplace_back(ShownBoard{}));
    board::animateBoard(input.now, shown.cells);
    shown.alpha = board::boardAlpha;
    hover = board::cellUnderPointer(input.pointerX, input.pointerY);
    runFeedTimer(input.now, events);
    if (!playMode(frame))
        return;
    board::handleBoardInput({hover, input.pressed, input.now}, events);
    board::settleBoard(events);
    board::paintStep(events);
}

board::CellPos hoveredCell() { return hover; }

void showGhosts(Scene& scene)
{
    auto& shown = std::get<ShownGhosts>(scene.emplace_back(ShownGhosts{}));
    std::copy(&board::ghostLayer[0][0], &board::ghostLayer[0][0] + board::ROWS * board::COLS, &shown.ghosts[0][0]);
    board::fadeGhosts();
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
