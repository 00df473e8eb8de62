#include "platform/keys.h"

#include "platform/pad_keys.h"

namespace kalup::keys {

namespace {

struct KeyState {
    bool held = false;
    int presses = 0;
    bool repeated = false;
    double nextRepeat = 0.0;
};

KeyState states[seam::KEY_COUNT];

KeyState& stateOf(seam::Key key) { return states[static_cast<int>(key)]; }

} // namespace

void readKeys()
{
    const double now = seam::now();
    const pad_keys::PadKeys pad = pad_keys::readPad(seam::pad());
    for (int k = 0; k < seam::KEY_COUNT; ++k) {
        KeyState& state = states[k];
        const auto key = static_cast<seam::Key>(k);
        const bool held = seam::keyDown(key) || pad.held[k];
        int presses = seam::keyPresses(key) + pad.presses[k];
        // A key found down with no press counted (a backend without key
        // events) went down all the same.
        if (presses == 0 && held && !state.held)
            presses = 1;
        state.presses = presses;
        state.repeated = false;
        if (presses > 0) {
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

bool down(seam::Key key) { return stateOf(key).held; }

bool wentDown(seam::Key key) { return stateOf(key).presses > 0; }

int strikes(seam::Key key) { return stateOf(key).presses + (stateOf(key).repeated ? 1 : 0); }

bool struck(seam::Key key) { return strikes(key) > 0; }

} // namespace kalup::keys
