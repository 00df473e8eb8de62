#include "platform/gamepads.h"

#include <cmath>
#include <cstdio>
#include <string>

#include <GLFW/glfw3.h>

#include "platform/file_bytes.h"
#include "platform/places.h"

namespace kalup::gamepads {

namespace {

constexpr int PAD_SLOTS = GLFW_JOYSTICK_LAST + 1;

// GLFW's button of each of the game's, in the order of seam::PadButton.
constexpr int glfwButtons[seam::PAD_BUTTON_COUNT] = {
    GLFW_GAMEPAD_BUTTON_A,
    GLFW_GAMEPAD_BUTTON_B,
    GLFW_GAMEPAD_BUTTON_START,
    GLFW_GAMEPAD_BUTTON_BACK,
    GLFW_GAMEPAD_BUTTON_DPAD_UP,
    GLFW_GAMEPAD_BUTTON_DPAD_DOWN,
    GLFW_GAMEPAD_BUTTON_DPAD_LEFT,
    GLFW_GAMEPAD_BUTTON_DPAD_RIGHT,
};

struct Slot {
    bool connected = false;
    bool down[seam::PAD_BUTTON_COUNT] = {};
    float stickX = 0.0f;
    float stickY = 0.0f;
};

Slot slots[PAD_SLOTS];
int pendingPresses[seam::PAD_BUTTON_COUNT] = {};

// The axis of the pad that leans furthest.
float furthest(float a, float b) { return std::fabs(b) > std::fabs(a) ? b : a; }

} // namespace

void addPlayerMappings()
{
    const std::string folder = places::userFolder(places::UserBase::Config);
    if (folder.empty())
        return;
    const std::string path = folder + "/gamecontrollerdb.txt";
    std::string bytes;
    std::string reason;
    switch (file_bytes::readSmallFile(path.c_str(), bytes, reason, MAPPINGS_SIZE_LIMIT)) {
    case file_bytes::Read::Missing:
        return;
    case file_bytes::Read::Refused:
        std::fprintf(stderr, "kalup: the gamepad mappings %s are not used: %s\n", path.c_str(), reason.c_str());
        return;
    case file_bytes::Read::Done:
        break;
    }
    // GLFW skips the lines it cannot read and keeps the rest.
    if (glfwUpdateGamepadMappings(bytes.c_str()) != GLFW_TRUE)
        std::fprintf(stderr, "kalup: the gamepad mappings %s are not used: GLFW refused them\n", path.c_str());
}

void poll()
{
    for (int jid = 0; jid < PAD_SLOTS; ++jid) {
        Slot& slot = slots[jid];
        GLFWgamepadstate state;
        if (glfwGetGamepadState(jid, &state) != GLFW_TRUE) {
            // Unplugged: nothing of it stays held.
            slot = Slot{};
            continue;
        }
        for (int b = 0; b < seam::PAD_BUTTON_COUNT; ++b) {
            const bool down = state.buttons[glfwButtons[b]] == GLFW_PRESS;
            // A pad plugged in with a button held does not press it.
            if (down && !slot.down[b] && slot.connected)
                ++pendingPresses[b];
            slot.down[b] = down;
        }
        slot.stickX = state.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
        slot.stickY = state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y];
        slot.connected = true;
    }
}

seam::Pad takeFrame()
{
    seam::Pad pad;
    for (const Slot& slot : slots) {
        if (!slot.connected)
            continue;
        pad.connected = true;
        for (int b = 0; b < seam::PAD_BUTTON_COUNT; ++b)
            pad.held[b] = pad.held[b] || slot.down[b];
        pad.stickX = furthest(pad.stickX, slot.stickX);
        pad.stickY = furthest(pad.stickY, slot.stickY);
    }
    for (int b = 0; b < seam::PAD_BUTTON_COUNT; ++b) {
        pad.presses[b] = pendingPresses[b];
        pendingPresses[b] = 0;
    }
    return pad;
}

void forget()
{
    for (Slot& slot : slots)
        slot = Slot{};
    for (int& presses : pendingPresses)
        presses = 0;
}

} // namespace kalup::gamepads
