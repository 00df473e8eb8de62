#pragma once
// Which screen is on: the menu, play or the end screens, with at most a
// paused round's still picture and a page over them. The machine makes the
// changes the screens ask for, and the few that come from outside a screen:
// Escape back to the menu from anywhere, F1 opening the help over any
// screen, and the pause that P, a lost focus or the help asks for.
// A new screen is one more ScreenId, one object here and its changes.
#include <vector>

#include "app/bests_page.h"
#include "app/help_page.h"
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
    // The screen is on, on top or under others.
    bool isOn(ScreenId id) const;
    // A round stands still under the pause, with the help over it or not.
    bool paused() const { return isOn(ScreenId::Paused); }
    // A round is on the screen, standing still or not.
    bool roundOnScreen() const { return screen(stack.front()).runsRound(); }
    Screen& top() const { return screen(current()); }

    // Makes a change as if the screen on top had asked for it; true for a quit.
    bool make(const Change& change);
    // Escape: whatever is on goes, the pages too, the game is ended and the
    // menu entered anew, also when the menu is already on.
    void backToMenu();
    // Once a frame, after the keys are read: the pages' keys and Escape.
    void followKeys();
    // A page was opened or closed by this frame's keys: a still picture is
    // to be drawn again.
    bool changedByKeys() const { return keysChanged; }
    // Once a frame, after the keys: P, the focus and the help. A pause that
    // ends does so here, so this frame runs.
    void followPauseRequests();
    // The frame of the screen on top: its update, the changes it asked for,
    // then its drawing, over what a page leaves of the screen beneath. True
    // when it asked to quit.
    bool runScreen();
    // After a running frame has drawn everything but the cursor: a pause
    // due covers the round with that picture, and the help asked for in
    // this frame covers the pause.
    void pauseIfDue();

private:
    Screen& screen(ScreenId id) const { return *byId[static_cast<int>(id)]; }
    void enter(ScreenId id);
    void leaveTop();
    bool makeAll();
    void openHelp();

    menu::MenuScreen menu;
    playing::PlayingScreen playing;
    round_over::RoundOverScreen roundOver;
    paused::PausedScreen pausedScreen;
    help_page::HelpPage help;
    bests_page::BestsPage bests;
    // In the order of ScreenId.
    Screen* const byId[6] = {&menu, &playing, &roundOver, &pausedScreen, &help, &bests};
    // The screen at the bottom, and what covers it.
    std::vector<ScreenId> stack{ScreenId::Menu};
    Changes asked;
    // F1 over a running round: its frame runs and the pause takes that
    // picture before the help covers it.
    bool helpDue = false;
    // The Escape that closed a page, or came down under one, while it is
    // held: it does not also leave for the menu.
    bool escapeTaken = false;
    bool keysChanged = false;
};

} // namespace kalup::screens
