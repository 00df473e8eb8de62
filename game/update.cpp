#include "game/update.h"

#include <algorithm>
#include <iterator>

#include "board/animation.h"
#include "board/board.h"
#include "board/falling.h"
#include "board/feed.h"
#include "board/ghosts.h"
#include "board/groups.h"
#include "board/moves.h"
#include "board/play.h"
#include "board/rise.h"
#include "board/specials.h"
#include "game/game_state.h"
#include "platform/random.h"

namespace kalup::game {

namespace {

// A tremble of -9..+9, peaked at 0: the difference of two draws of 0..9.
int jitter()
{
    const int a = random::rand() % 10;
    const int b = random::rand() % 10;
    return a - b;
}

// Columns reaching into the two top rows tremble as a warning: a column with
// pieces in both is shaken twice. The top cells themselves always get their
// own jitter, pieces or not.
void shakeTopColumns(board::Board& cells)
{
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < board::COLS; ++col) {
            board::Cell& cell = cells[row][col];
            if (cell.kind != board::KIND_EMPTY) {
                for (int r = 0; r < board::ROWS; ++r)
                    cells[r][col].x += jitter();
            }
            cell.x += jitter();
            cell.y += jitter();
        }
    }
}

void shakeBoard(board::Board& cells)
{
    for (auto& row : cells) {
        for (board::Cell& cell : row) {
            if (cell.kind != board::KIND_EMPTY) {
                cell.x += jitter();
                cell.y += jitter();
            }
        }
    }
}

// What every frame of a round passes along: the player's input, the
// listener, the list of what is shown and the record the line keeps.
struct Frame {
    Round& round;
    const FrameInput& input;
    board::Events& events;
    Scene& scene;
    int& classicRecord;
    FrameResult result;
};

// The record rule: only the classic mode keeps a record, and only frames that
// draw the record/score line apply it.
void applyRecordRule(const Round& round, int& classicRecord)
{
    if (round.board.gameMode == play::MODE_CLASSIC && round.score > classicRecord)
        classicRecord = round.score;
}

// The line slides in from above, one unit a frame.
void showHud(Frame& frame)
{
    Round& round = frame.round;
    if (round.hudY < 15)
        ++round.hudY;
    applyRecordRule(round, frame.classicRecord);
    frame.scene.push_back(ShownHud{round.hudY, frame.classicRecord, round.score});
}

bool losing(EndScreen screen) { return screen == EndScreen::NoMoreMoves || screen == EndScreen::SurvivalOver; }

// Every end screen slides its panel in from x = 160 and its lines down from
// 256 units above their places, 16 units per frame; the losing ones shake the
// board after it was shown.
void showEndScreen(Frame& frame, EndScreen screen)
{
    Round& round = frame.round;
    if (losing(screen))
        shakeBoard(round.board.board);
    if (round.panelSlide < 0)
        round.panelSlide += 16;
    const bool lossNoted = losing(screen) && !round.lossShown;
    round.lossShown = round.lossShown || losing(screen);
    frame.scene.push_back(ShownEndScreen{
        screen, round.panelSlide, round.score, round.level, round.survivalTime, round.newBest, lossNoted});
    frame.result.endScreen = screen;
}

// The next round is dealt in the middle of the frame: what the frame drew
// before gives way to the new round's backdrop.
void continueRound(Frame& frame)
{
    startRound(frame.round, frame.input.now, frame.events);
    frame.scene.push_back(ShownRoundStart{});
    frame.result.continued = true;
}

// Runs in every mode; only remove-two makes use of the releases. Nothing is
// released in the first 10 s of a round, and the first test after arming
// comes on the next frame.
void runFeedTimer(Round& round, double t, board::Events& events)
{
    if (round.feedArmed) {
        if (t > round.lastFeedTime + round.feedInterval) {
            if (round.board.gameMode == play::MODE_REMOVE_TWO)
                events.playSound(board::Sound::FeedReleased);
            round.lastFeedTime = t;
            round.board.feedActive = true;
        }
    } else if (t >= round.roundStartTime + 10.0) {
        round.feedArmed = true;
    }
}

// Only answers whether the board is empty, and notes a cleared board for
// the next round's level: the round's step asks it where the rules look.
bool boardCleared(Round& round)
{
    if (!board::boardIsEmpty(round.board))
        return false;
    round.board.boardCleared = true;
    return true;
}

// Classic keeps the board live under its end screens, so its frame always
// goes on to the board's input.
void playClassic(Frame& frame)
{
    if (!board::movesAvailable(frame.round.board)) {
        showEndScreen(frame, EndScreen::NoMoreMoves);
        if (frame.input.continuing)
            continueRound(frame);
    } else {
        showHud(frame);
    }
    if (boardCleared(frame.round)) {
        showEndScreen(frame, EndScreen::LevelCompleted);
        if (frame.input.continuing)
            continueRound(frame);
    }
}

// False when the frame ends here, without the board's input.
bool playRemoveTwo(Frame& frame)
{
    if (!board::movesAvailable(frame.round.board)) {
        showEndScreen(frame, EndScreen::NoMoreMoves);
        if (frame.input.continuing)
            continueRound(frame);
        return false;
    }
    if (boardCleared(frame.round)) {
        if (!frame.round.clearSoundPlayed) {
            frame.events.playSound(board::Sound::BoardCleared);
            frame.round.clearSoundPlayed = true;
        }
        showEndScreen(frame, EndScreen::BoardCleared);
        if (frame.input.continuing) {
            continueRound(frame);
            // Every cleared board quickens the feed for the rest of the run.
            frame.round.feedInterval -= 0.1;
        }
    } else {
        board::BoardState& state = frame.round.board;
        board::animateFeedRow(state);
        auto& shown = std::get<ShownFeedRow>(frame.scene.emplace_back(ShownFeedRow{}));
        std::copy(std::begin(state.feedRow), std::end(state.feedRow), shown.slots);
        board::dropFeedRow(state, frame.events);
    }
    showHud(frame);
    return true;
}

// False when the frame ends here: on the lost screen, on the losing frame
// and on the frame of every rise.
bool playSurvival(Frame& frame)
{
    Round& round = frame.round;
    frame.scene.push_back(ShownSurvivalTimer{round.survivalTime});
    shakeTopColumns(round.board.board);
    if (round.survivalOver) {
        showEndScreen(frame, EndScreen::SurvivalOver);
        if (frame.input.continuing) {
            continueRound(frame);
            round.survivalTime = 0;
        }
        return false;
    }
    round.survivalTime = frame.input.now - round.survivalStartTime;
    const double t = frame.input.now;
    if (t >= round.lastRiseTime + round.riseInterval) {
        // A rise with no room ends the round; the board stays as it is.
        if (!board::topRowIsEmpty(round.board)) {
            round.survivalOver = true;
            return false;
        }
        board::raiseBoard(round.board, frame.events);
        round.lastRiseTime = t;
        round.riseInterval -= 0.01;
        return false;
    }
    return true;
}

bool playMode(Frame& frame)
{
    switch (frame.round.board.gameMode) {
    case play::MODE_CLASSIC:
        playClassic(frame);
        return true;
    case play::MODE_REMOVE_TWO:
        return playRemoveTwo(frame);
    case play::MODE_SURVIVAL:
        return playSurvival(frame);
    default:
        return false;
    }
}

} // namespace

FrameResult updateGame(Round& round, const FrameInput& input, board::Events& events, Scene& scene,
    int& classicRecord)
{
    Frame frame{round, input, events, scene, classicRecord, {}};
    board::BoardState& state = round.board;
    auto& shown = std::get<ShownBoard>(scene.emplace_back(ShownBoard{}));
    board::animateBoard(state, input.now, shown.cells);
    shown.alpha = state.boardAlpha;
    round.hover = board::cellUnderPointer(input.pointerX, input.pointerY);
    runFeedTimer(round, input.now, events);
    if (!playMode(frame))
        return frame.result;
    round.score += board::handleBoardInput(state, {round.hover, input.pressed, input.now}, events);
    board::settleBoard(state, events);
    board::paintStep(state, events);
    return frame.result;
}

void showGhosts(board::BoardState& state, Scene& scene)
{
    auto& shown = std::get<ShownGhosts>(scene.emplace_back(ShownGhosts{}));
    std::copy(&state.ghostLayer[0][0], &state.ghostLayer[0][0] + board::ROWS * board::COLS, &shown.ghosts[0][0]);
    board::fadeGhosts(state);
}

} // namespace kalup::game
