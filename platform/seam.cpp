#include "platform/seam.h"

namespace kalup::seam {

namespace {
Backend* backend = nullptr;
}

void install(Backend* b) { backend = b; }

double now() { return backend->now(); }
std::int64_t wallClockSeconds() { return backend->wallClockSeconds(); }
bool keyDown(Key key) { return backend->keyDown(key); }
bool leftButtonDown() { return backend->leftButtonDown(); }
void cursor(double& x, double& y) { backend->cursor(x, y); }
void setCursor(double x, double y) { backend->setCursor(x, y); }
double waitUntil(double deadline) { return backend->waitUntil(deadline); }
void present() { backend->present(); }
bool closeRequested() { return backend->closeRequested(); }

} // namespace kalup::seam
