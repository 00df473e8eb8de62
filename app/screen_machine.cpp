#include "app/screen_machine.h"

#include "app/pause.h"

namespace kalup::screens {

void ScreenMachine::enter(ScreenId id)
{
    stack.push_back(id);
    screen(id).enter();
}

void ScreenMachine::leaveTop()
{
    top().leave();
    stack.pop_back();
}

void ScreenMachine::backToMenu()
{
    while (!stack.empty())
        leaveTop();
    playing::endGame();
    enter(ScreenId::Menu);
}

void ScreenMachine::followPauseRequests()
{
    pause::followPauseRequests(roundOnScreen());
    if (paused() && !pause::pauseDue())
        leaveTop();
}

bool ScreenMachine::runScreen()
{
    Screen& running = top();
    asked.clear();
    running.update(asked);
    bool quit = false;
    for (const Change& change : asked)
        quit = make(change) || quit;
    running.draw();
    return quit;
}

void ScreenMachine::pauseIfDue()
{
    if (pause::pauseDue() && !paused())
        enter(ScreenId::Paused);
}

bool ScreenMachine::make(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Show:
        leaveTop();
        enter(change.screen);
        return false;
    case Change::Kind::StartGame:
        while (!stack.empty())
            leaveTop();
        playing::startGame(change.mode);
        enter(ScreenId::Playing);
        return false;
    case Change::Kind::Quit:
        return true;
    }
    return false;
}

} // namespace kalup::screens
