#include "platform/keys.h"

namespace kalup::keys {

namespace {

struct KeyState {
    bool held = false;
    bool pressed = false;
    bool repeated = false;
    double nextRepeat = 0.0;
};

KeyState states[seam::KEY_COUNT];

KeyState& stateOf(seam::Key key) { return states[static_cast<int>(key)]; }

} // namespace

void readKeys()
{
    const double now = seam::now();
    for (int k = 0; k < seam::KEY_COUNT; ++k) {
        KeyState& state = states[k];
        const bool held = seam::keyDown(static_cast<seam::Key>(k));
        state.pressed = held && !state.held;
        state.repeated = false;
        if (state.pressed) {
            state.nextRepeat = now + REPEAT_DELAY;
        } else if (held && now >= state.nextRepeat) {
            // Added to the due time, not to now: the rate stays steady
            // whatever the frames' length.
            state.repeated = true;
            state.nextRepeat += REPEAT_PERIOD;
        }
        state.held = held;
    }
}

bool wentDown(seam::Key key) { return stateOf(key).pressed; }

bool struck(seam::Key key) { return stateOf(key).pressed || stateOf(key).repeated; }

} // namespace kalup::keys
