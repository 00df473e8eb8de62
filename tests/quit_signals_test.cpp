// The quit signals: each ends the game like the close box, also while the
// message box is up.
#include <chrono>
#include <csignal>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/display.h"
#include "platform/quit_signals.h"
#include "tests/harness.h"

using namespace kalup;

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
