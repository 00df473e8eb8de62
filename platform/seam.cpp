#include "platform/seam.h"

namespace kalup::seam {

namespace {
Backend* backend = nullptr;
// Seconds the game clock lost to earlier stops, and the reading it stands at.
double stoppedSeconds = 0.0;
bool stopped = false;
double stoppedAt = 0.0;
} // namespace

void install(Backend* b)
{
    backend = b;
    stoppedSeconds = 0.0;
    stopped = false;
}

double now() { return (stopped ? stoppedAt : backend->now()) - stoppedSeconds; }

void stopClock()
{
    if (stopped)
        return;
    stoppedAt = backend->now();
    stopped = true;
}

void startClock()
{
    if (!stopped)
        return;
    stoppedSeconds += backend->now() - stoppedAt;
    stopped = false;
}

std::int64_t wallClockSeconds() { return backend->wallClockSeconds(); }
bool keyDown(Key key) { return backend->keyDown(key); }
bool leftButtonDown() { return backend->leftButtonDown(); }
bool focused() { return backend->focused(); }
void cursor(double& x, double& y) { backend->cursor(x, y); }
void setCursor(double x, double y) { backend->setCursor(x, y); }
double waitUntil(double deadline) { return backend->waitUntil(deadline); }
void present() { backend->present(); }
void switchScreenMode() { backend->switchScreenMode(); }
bool closeRequested() { return backend->closeRequested(); }

} // namespace kalup::seam
