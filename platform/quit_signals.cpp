#include "platform/quit_signals.h"

#include <csignal>
#include <initializer_list>

#include <signal.h>

namespace kalup::quit_signals {

namespace {

volatile std::sig_atomic_t quitReceived = 0;

void onQuitSignal(int) { quitReceived = 1; }

} // namespace

void install()
{
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void leaveToMainThread()
{
    sigset_t quitSignals;
    sigemptyset(&quitSignals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&quitSignals, signal);
    pthread_sigmask(SIG_BLOCK, &quitSignals, nullptr);
}

bool received() { return quitReceived != 0; }

void clear() { quitReceived = 0; }

} // namespace kalup::quit_signals
