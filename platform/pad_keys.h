#pragma once
// The gamepad as the keys it stands for: A is Enter, B Escape, Start P and
// Back M; the d-pad and the left stick are the arrows.
#include "platform/seam.h"

namespace kalup::pad_keys {

// The stick leans an arrow down once it leans this far along its axis, and
// lets it go once back within STICK_LET_GO: a stick resting near the middle,
// or wavering at the edge of the push, strikes nothing.
inline constexpr float STICK_DEAD_ZONE = 0.5f;
inline constexpr float STICK_LET_GO = 0.35f;

struct PadKeys {
    bool held[seam::KEY_COUNT] = {};
    int presses[seam::KEY_COUNT] = {};
};

// The keys of this frame's pad: once a frame, with the keys.
PadKeys readPad(const seam::Pad& pad);

} // namespace kalup::pad_keys
