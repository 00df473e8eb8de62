#pragma once
// The one road by which time, keys and the mouse reach the game.
// The game installs the GLFW backend of display.h; tests install a scripted one.
#include <cstdint>

namespace kalup::seam {

enum class Key { Escape, Space, F10, F3 };

class Backend {
public:
    virtual ~Backend() = default;
    // Seconds since start, like the game timer.
    virtual double now() = 0;
    // Wall clock in whole seconds, for seeding the round's random numbers.
    virtual std::int64_t wallClockSeconds() = 0;
    // Held states, sampled once per frame.
    virtual bool keyDown(Key key) = 0;
    virtual bool leftButtonDown() = 0;
    // Pointer in logical 800 x 600 units with their fractions, not clamped.
    virtual void cursor(double& x, double& y) = 0;
    virtual void setCursor(double x, double y) = 0;
    // Waits, handling window events, until now() reaches deadline; the clock is
    // read at least once. Returns the reading that ended the wait.
    virtual double waitUntil(double deadline) = 0;
    // Shows the finished frame.
    virtual void present() = 0;
    // The window's close box, or SIGINT/SIGTERM/SIGHUP.
    virtual bool closeRequested() = 0;
};

// The backend is not owned; it must outlive its use.
void install(Backend* backend);

double now();
std::int64_t wallClockSeconds();
bool keyDown(Key key);
bool leftButtonDown();
void cursor(double& x, double& y);
void setCursor(double x, double y);
double waitUntil(double deadline);
void present();
bool closeRequested();

} // namespace kalup::seam
