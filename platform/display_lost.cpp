#include "platform/display_lost.h"

#include <cstdio>

#include <X11/Xlib.h>
#include <unistd.h>

namespace kalup::display_lost {

namespace {

LastWord lastWordOnLoss = nullptr;

// Xlib ends the process if this returns, and nothing may talk to the lost
// server any more: the last word, then out without running the exit
// handlers of libraries that would.
int onConnectionLost(Display*)
{
    static bool ending = false;
    if (!ending) {
        ending = true;
        if (lastWordOnLoss)
            lastWordOnLoss();
        std::fprintf(stderr, "kalup: the connection to the display was lost\n");
    }
    ::_exit(1);
}

} // namespace

void onDisplayLost(LastWord lastWord)
{
    lastWordOnLoss = lastWord;
    XSetIOErrorHandler(onConnectionLost);
}

} // namespace kalup::display_lost
