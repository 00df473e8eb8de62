#pragma once
// Which screen is on: the menu, play or the end screens, with at most a
// paused round's still picture over them. The machine makes the changes the
// screens ask for, and the few that come from outside a screen: Escape back
// to the menu from anywhere, and the pause that P or a lost focus asks for.
// A new screen is one more ScreenId, one object here and its changes.
#include <vector>

#include "app/menu.h"
#include "app/paused.h"
#include "app/playing.h"
#include "app/round_over.h"
#include "app/screen.h"

namespace kalup::screens {

class ScreenMachine {
public:
    // The screen on top, the one a frame runs.
    ScreenId current() const { return stack.back(); }
    bool paused() const { return current() == ScreenId::Paused; }
    // A round is on the screen, standing still or not.
    bool roundOnScreen() const { return screen(stack.front()).runsRound(); }
    Screen& top() const { return screen(current()); }

    // Makes a change as if the screen on top had asked for it; true for a quit.
    bool make(const Change& change);
    // Escape: whatever is on goes, the game is ended and the menu entered
    // anew, also when the menu is already on.
    void backToMenu();
    // Once a frame, after the keys are read: P and the focus. A pause that
    // ends does so here, so this frame runs.
    void followPauseRequests();
    // The frame of the screen on top: its update, the changes it asked for,
    // then its drawing. True when it asked to quit.
    bool runScreen();
    // After a running frame has drawn everything but the cursor: a pause
    // due covers the round with that picture.
    void pauseIfDue();

private:
    Screen& screen(ScreenId id) const { return *byId[static_cast<int>(id)]; }
    void enter(ScreenId id);
    void leaveTop();

    menu::MenuScreen menu;
    playing::PlayingScreen playing;
    round_over::RoundOverScreen roundOver;
    paused::PausedScreen pausedScreen;
    // In the order of ScreenId.
    Screen* const byId[4] = {&menu, &playing, &roundOver, &pausedScreen};
    // The screen at the bottom, and what covers it.
    std::vector<ScreenId> stack{ScreenId::Menu};
    Changes asked;
};

} // namespace kalup::screens
