#include "platform/pad_keys.h"

namespace kalup::pad_keys {

namespace {

using seam::Key;
using seam::PadButton;

struct ButtonKey {
    PadButton button;
    Key key;
};

constexpr ButtonKey buttonKeys[] = {
    {PadButton::A, Key::Enter},
    {PadButton::B, Key::Escape},
    {PadButton::Start, Key::P},
    {PadButton::Back, Key::M},
    {PadButton::DpadUp, Key::Up},
    {PadButton::DpadDown, Key::Down},
    {PadButton::DpadLeft, Key::Left},
    {PadButton::DpadRight, Key::Right},
};

// Which way the stick leans an axis: -1, 0 or 1.
int leanX = 0;
int leanY = 0;

int leanOf(float value, int lean)
{
    if (value >= STICK_DEAD_ZONE || (lean > 0 && value > STICK_LET_GO))
        return 1;
    if (value <= -STICK_DEAD_ZONE || (lean < 0 && value < -STICK_LET_GO))
        return -1;
    return 0;
}

// The arrows of one axis, struck when the stick comes to lean that way.
void followAxis(float value, int& lean, Key negative, Key positive, PadKeys& keys)
{
    const int now = leanOf(value, lean);
    if (now != 0) {
        const int k = static_cast<int>(now > 0 ? positive : negative);
        keys.held[k] = true;
        if (now != lean)
            ++keys.presses[k];
    }
    lean = now;
}

void forgetStick()
{
    leanX = 0;
    leanY = 0;
}

} // namespace

PadKeys readPad(const seam::Pad& pad)
{
    PadKeys keys;
    // An unplugged pad leaves nothing held, its stick at rest.
    if (!pad.connected) {
        forgetStick();
        return keys;
    }
    for (const ButtonKey& pair : buttonKeys) {
        const int b = static_cast<int>(pair.button);
        const int k = static_cast<int>(pair.key);
        keys.held[k] = keys.held[k] || pad.held[b];
        keys.presses[k] += pad.presses[b];
    }
    followAxis(pad.stickX, leanX, Key::Left, Key::Right, keys);
    followAxis(pad.stickY, leanY, Key::Up, Key::Down, keys);
    return keys;
}

} // namespace kalup::pad_keys
