#pragma once
// The one road by which time, keys and the mouse reach the game.
// The game installs the GLFW backend of display.h; tests install a scripted one.
#include <cstdint>

namespace kalup::seam {

enum class Key { Escape, Space, F10, F3, Left, Right, Up, Down, Enter, P, M, F11, F1, B };
// Counted from the last key, so a key added before it is counted too.
inline constexpr int KEY_COUNT = static_cast<int>(Key::B) + 1;

// The buttons of a gamepad the game answers to, by their place on a common
// pad: A is the lower face button, B the right one.
enum class PadButton { A, B, Start, Back, DpadUp, DpadDown, DpadLeft, DpadRight };
inline constexpr int PAD_BUTTON_COUNT = static_cast<int>(PadButton::DpadRight) + 1;

// Every connected gamepad taken together, as one frame sees them.
struct Pad {
    bool connected = false;
    // Held when the frame began.
    bool held[PAD_BUTTON_COUNT] = {};
    // Times each button went down since the frame before, counted on every
    // look at the pads, so a press and release between two frames counts.
    int presses[PAD_BUTTON_COUNT] = {};
    // The left stick, each axis -1..1, right and down positive.
    float stickX = 0.0f;
    float stickY = 0.0f;
};

class Backend {
public:
    virtual ~Backend() = default;
    // Seconds since start, like the game timer; this clock never stops.
    virtual double now() = 0;
    // Wall clock in whole seconds, for seeding the round's random numbers.
    virtual std::int64_t wallClockSeconds() = 0;
    // Samples the keys, the button, the focus and the pads for the frame
    // that begins, after handling the window's events: at its top, so that
    // a key let go while the frame before was slow (its drawing, its showing)
    // reads as up.
    virtual void takeInput() {}
    // Held states, as takeInput sampled them. A key counts as down in a frame
    // when it was held as the frame began or went down since the frame before.
    virtual bool keyDown(Key key) = 0;
    // Times the key went down since the frame before, counted from the
    // window's key events, so a tap inside one slow frame is still one.
    // A backend without events reports none and the game compares the
    // held states instead.
    virtual int keyPresses(Key) { return 0; }
    // The gamepads as this frame sees them; none without a backend of pads.
    virtual Pad pad() { return {}; }
    virtual bool leftButtonDown() = 0;
    // Whether the game window has the keyboard, sampled with the keys.
    virtual bool focused() = 0;
    // Pointer in logical 800 x 600 units with their fractions, not clamped.
    virtual void cursor(double& x, double& y) = 0;
    virtual void setCursor(double x, double y) = 0;
    // Waits, handling window events, until now() reaches deadline; the clock is
    // read at least once. Returns the reading that ended the wait.
    virtual double waitUntil(double deadline) = 0;
    // Waits, handling window events, until one arrives or now() reaches
    // deadline; returns the reading that ended the wait. A quit signal ends
    // it too, or else the deadline, which is never far.
    virtual double waitForEvents(double deadline) = 0;
    // Shows the finished frame.
    virtual void present() = 0;
    // Whether the player can see the window: not minimised, not wholly covered.
    virtual bool shown() = 0;
    // Whether the window's picture was lost (exposed, resized, switched
    // between full screen and window) since the last present.
    virtual bool pictureLost() = 0;
    // Full screen to the 800 x 600 window or back; the logical screen stays
    // letterboxed and the pointer keeps its logical position.
    virtual void switchScreenMode() = 0;
    // The window's close box, or SIGINT/SIGTERM/SIGHUP.
    virtual bool closeRequested() = 0;
};

// The backend is not owned; it must outlive its use. Installing one also
// restarts the game clock with nothing subtracted.
void install(Backend* backend);

// A gap longer than this between two readings of the clock, once frames
// run, is time the process did not run (stopped, or the machine asleep).
inline constexpr double LONGEST_FRAME_GAP = 1.0;

// The game clock: the backend's seconds less every stretch the clock stood
// stopped, by a pause or over a gap of more than LONGEST_FRAME_GAP between
// two readings once the first frame has waited. Every timer and lock-out of
// the game reads it, so a pause is stopClock and startClock and nothing else.
double now();
void stopClock();
void startClock();

std::int64_t wallClockSeconds();
void takeInput();
bool keyDown(Key key);
int keyPresses(Key key);
Pad pad();
bool leftButtonDown();
bool focused();
void cursor(double& x, double& y);
void setCursor(double x, double y);
// Paces on the backend's clock, which runs on through a pause: deadline and
// reading are in its seconds, not the game clock's.
double waitUntil(double deadline);
double waitForEvents(double deadline);
void present();
bool shown();
bool pictureLost();
void switchScreenMode();
bool closeRequested();

} // namespace kalup::seam
