#include "app/screen_machine.h"

#include <algorithm>

#include "app/pause.h"
#include "platform/keys.h"
#include "platform/seam.h"

namespace kalup::screens {

bool ScreenMachine::isOn(ScreenId id) const { return std::find(stack.begin(), stack.end(), id) != stack.end(); }

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
    helpDue = false;
    playing::endGame();
    enter(ScreenId::Menu);
}

// F1 opens the help over any screen, in place of the tables.
void ScreenMachine::openHelp()
{
    if (current() == ScreenId::Bests)
        leaveTop();
    if (top().runsRound())
        helpDue = true;
    else
        enter(ScreenId::Help);
}

void ScreenMachine::followKeys()
{
    const std::vector<ScreenId> before = stack;
    const bool escapeDown = keys::down(seam::Key::Escape);
    if (!escapeDown)
        escapeTaken = false;
    if (top().isPage() && keys::wentDown(seam::Key::Escape)) {
        leaveTop();
        escapeTaken = true;
    }
    if (escapeDown && !escapeTaken)
        backToMenu();
    if (keys::wentDown(seam::Key::F1) && !isOn(ScreenId::Help)) {
        openHelp();
    } else {
        asked.clear();
        top().followKeys(asked);
        makeAll();
    }
    // A page opened while Escape is held, over the menu the key brought
    // back, takes that Escape: only a new press closes it.
    if (top().isPage() && escapeDown)
        escapeTaken = true;
    keysChanged = stack != before;
}

void ScreenMachine::followPauseRequests()
{
    pause::followPauseRequests(roundOnScreen(), isOn(ScreenId::Help) || helpDue);
    if (current() == ScreenId::Paused && !pause::pauseDue())
        leaveTop();
}

bool ScreenMachine::runScreen()
{
    Screen& running = top();
    Screen* beneath = running.isPage() ? &screen(stack[stack.size() - 2]) : nullptr;
    asked.clear();
    running.update(asked);
    const bool quit = makeAll();
    if (beneath)
        beneath->drawUnderPage();
    running.draw();
    return quit;
}

void ScreenMachine::pauseIfDue()
{
    if (!pause::pauseDue() || paused())
        return;
    enter(ScreenId::Paused);
    if (helpDue)
        enter(ScreenId::Help);
    helpDue = false;
}

bool ScreenMachine::makeAll()
{
    bool quit = false;
    for (const Change& change : asked)
        quit = make(change) || quit;
    return quit;
}

bool ScreenMachine::make(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::Show:
        leaveTop();
        enter(change.screen);
        return false;
    case Change::Kind::Open:
        enter(change.screen);
        return false;
    case Change::Kind::Close:
        leaveTop();
        return false;
    case Change::Kind::StartGame:
        while (!stack.empty())
            leaveTop();
        helpDue = false;
        playing::startGame(change.mode);
        enter(ScreenId::Playing);
        return false;
    case Change::Kind::Quit:
        return true;
    }
    return false;
}

} // namespace kalup::screens
