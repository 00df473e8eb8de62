// The launcher and the message box: the X connection once the launcher has
// closed, and the quit signals, which end the game like the close box, also
// while the message box is up.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include "platform/dialog.h"
#include "platform/display.h"
#include "platform/quit_signals.h"
#include "tests/harness.h"

// Last: the X headers define macros that clash with names in the others.
#include <FL/x.H>
#include <X11/Xatom.h>

using namespace kalup;

namespace {

void ignoreCommand(int) {}
void ignoreClose() {}

// Desktops and panels change root-window properties all day long.
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

TEST(QuitSignals, InterruptTerminateAndHangUpEachAskTheGameWindowToCloseAndCloseTheMessageBox)
{
    harness::needDisplay();
    dialog::setMessageSink(nullptr);
    // The game's handlers for the length of the test; the process's own come back after.
    const int signals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous[3] = {};
    for (int i = 0; i < 3; ++i)
        sigaction(signals[i], nullptr, &previous[i]);
    quit_signals::install();
    for (int signal : signals) {
        SCOPED_TRACE(strsignal(signal));
        quit_signals::clear();
        EXPECT_FALSE(display::glfwBackend().closeRequested());
        raise(signal);
        EXPECT_TRUE(display::glfwBackend().closeRequested());
        quit_signals::clear();
        // Sent from elsewhere once the box is showing; the box returns only when it is closed.
        std::thread sender([signal] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            kill(getpid(), signal);
        });
        dialog::messageBox("The game element Translation couldn't be found");
        sender.join();
        EXPECT_TRUE(quit_signals::received());
    }
    for (int i = 0; i < 3; ++i)
        sigaction(signals[i], &previous[i], nullptr);
    quit_signals::clear();
}

// A long path in the message box, as when the data folder is not found.
TEST(MessageBox, AWordWiderThanTheBoxLosesItsMiddleToAnEllipsisAndTheRestStays)
{
    std::string path = "/";
    for (int i = 0; i < 40; ++i)
        path += "a-rather-long-folder-name/";
    path += "kalup";
    const std::string text = "Kalup looked in:\n\n    " + path + "\n\nStart Kalup from that folder.";
    const std::string fitted = dialog::fitWords(text.c_str(), 440);
    const std::size_t start = fitted.find("    /a-rather-long-folder-name/");
    const std::size_t ellipsis = fitted.find("\u2026");
    ASSERT_NE(start, std::string::npos) << fitted;
    ASSERT_NE(ellipsis, std::string::npos) << fitted;
    EXPECT_EQ(fitted.substr(0, start), "Kalup looked in:\n\n") << "short words stay";
    EXPECT_EQ(fitted.substr(fitted.find("/kalup\n")), "/kalup\n\nStart Kalup from that folder.") << "the name stays";
    EXPECT_LT(fitted.size(), text.size() / 3);
    EXPECT_EQ(dialog::fitWords("Nothing here is wide.", 440), "Nothing here is wide.");
}
