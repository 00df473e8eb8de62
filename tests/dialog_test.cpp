// The launcher's connection to the X server, after the launcher has closed.
#include <gtest/gtest.h>

#include <FL/x.H>
#include <X11/Xatom.h>

#include "platform/dialog.h"

using namespace kalup;

namespace {

void ignoreCommand(int) {}
void ignoreClose() {}

// Desktops and panels change root-window properties all session long.
void changeRootProperty(int times)
{
    Display* desktop = XOpenDisplay(nullptr);
    ASSERT_NE(desktop, nullptr);
    const Atom property = XInternAtom(desktop, "KALUP_TEST_WORKAREA", False);
    for (long value = 0; value < times; ++value)
        XChangeProperty(desktop, DefaultRootWindow(desktop), property, XA_INTEGER, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&value), 1);
    XSync(desktop, False);
    XCloseDisplay(desktop);
}

} // namespace

// Nobody reads the connection while the game runs: whatever the server sends
// it would pile up for the whole game.
TEST(LauncherConnection, QueuesNothingOnceTheLauncherHasClosed)
{
    ASSERT_TRUE(dialog::createLauncher(ignoreCommand, ignoreClose));
    dialog::destroyLauncher();
    changeRootProperty(1000);
    XSync(fl_display, False);
    EXPECT_EQ(XEventsQueued(fl_display, QueuedAlready), 0);
}
