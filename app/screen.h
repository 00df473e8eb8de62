#pragma once
// What every screen of the game is to the main loop: it is entered, runs the
// rules of one frame, draws that frame and is left. A screen never switches
// to another itself: its update reports the changes it asks for, and the
// screen machine (app/screen_machine.h) makes them.
#include <vector>

namespace kalup::screens {

enum class ScreenId { Menu, Playing, RoundOver, Paused, Help, Bests };

// A change a screen asks for in its update or its keys.
struct Change {
    enum class Kind { Show, Open, Close, StartGame, Quit };
    Kind kind = Kind::Show;
    ScreenId screen = ScreenId::Menu;
    // The game mode to start.
    int mode = 0;

    // The screen in place of the one on top.
    static Change show(ScreenId screen) { return {Kind::Show, screen, 0}; }
    // A page over the screen on top, and the page on top closed again.
    static Change open(ScreenId page) { return {Kind::Open, page, 0}; }
    static Change close() { return {Kind::Close, ScreenId::Menu, 0}; }
    static Change startGame(int mode) { return {Kind::StartGame, ScreenId::Playing, mode}; }
    static Change quit() { return {Kind::Quit, ScreenId::Menu, 0}; }
};

// The changes asked in one update, made in the order asked.
using Changes = std::vector<Change>;

class Screen {
public:
    virtual ~Screen() = default;
    virtual void enter() {}
    virtual void leave() {}
    // The rules of one frame. The changes it asks for are made before the
    // frame is drawn, and this screen still draws the frame it ran.
    virtual void update(Changes& asked) = 0;
    // Once every frame, drawn or not, after Escape and before the pause:
    // the keys that open or close a page, which a still picture answers too.
    virtual void followKeys(Changes&) {}
    virtual void draw() = 0;
    // What it shows with a page opened over it.
    virtual void drawUnderPage() { draw(); }
    // A page over the screen beneath it, which rests: Escape closes the page
    // and goes no further while it is held.
    virtual bool isPage() const { return false; }
    // A round runs on it frame by frame: it is drawn every frame, seen or
    // not, and P or a lost focus pause it.
    virtual bool runsRound() const { return false; }
    // It covers the round's backdrop whole: the backdrop is only moved on.
    virtual bool hidesBackdrop() const { return false; }
    // It shows a still picture: no backdrop and no bursts move under it.
    virtual bool standsStill() const { return false; }
};

} // namespace kalup::screens
