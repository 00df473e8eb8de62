#include "platform/seam.h"

#include <optional>

namespace kalup::seam {

namespace {
Backend* backend = nullptr;
// Seconds the game clock lost to earlier stops, and the reading it stands at.
double stoppedSeconds = 0.0;
bool stopped = false;
double stoppedAt = 0.0;
// The backend's last reading once frames run; a gap is measured from it.
std::optional<double> lastReading;

// Between two frames a process that was stopped (SIGSTOP, a terminal's
// Ctrl+Z) or a machine that slept finds far more time gone than any frame
// takes: the game clock stands still over such a gap, as in a pause.
double sawReading(double seconds)
{
    if (lastReading && seconds - *lastReading > LONGEST_FRAME_GAP && !stopped)
        stoppedSeconds += seconds - *lastReading;
    if (lastReading)
        lastReading = seconds;
    return seconds;
}

double reading() { return sawReading(backend->now()); }
} // namespace

void install(Backend* b)
{
    backend = b;
    stoppedSeconds = 0.0;
    stopped = false;
    lastReading.reset();
}

double now() { return (stopped ? stoppedAt : reading()) - stoppedSeconds; }

void stopClock()
{
    if (stopped)
        return;
    stoppedAt = reading();
    stopped = true;
}

void startClock()
{
    if (!stopped)
        return;
    stoppedSeconds += reading() - stoppedAt;
    stopped = false;
}

double waitUntil(double deadline)
{
    const double seconds = backend->waitUntil(deadline);
    // The first frame's wait starts the watch for gaps.
    if (!lastReading)
        lastReading = seconds;
    return sawReading(seconds);
}

double waitForEvents(double deadline)
{
    const double seconds = backend->waitForEvents(deadline);
    if (!lastReading)
        lastReading = seconds;
    return sawReading(seconds);
}

std::int64_t wallClockSeconds() { return backend->wallClockSeconds(); }
void takeInput() { backend->takeInput(); }
bool keyDown(Key key) { return backend->keyDown(key); }
int keyPresses(Key key) { return backend->keyPresses(key); }
Pad pad() { return backend->pad(); }
bool leftButtonDown() { return backend->leftButtonDown(); }
bool focused() { return backend->focused(); }
void cursor(double& x, double& y) { backend->cursor(x, y); }
void setCursor(double x, double y) { backend->setCursor(x, y); }
void present() { backend->present(); }
bool shown() { return backend->shown(); }
bool pictureLost() { return backend->pictureLost(); }
void switchScreenMode() { backend->switchScreenMode(); }
bool closeRequested() { return backend->closeRequested(); }

} // namespace kalup::seam
