#pragma once
// What the tests drive the game with: a scripted clock, keys and mouse in
// place of the window, resources opened once per process, whole frames of
// the main loop, and folders and variables put back afterwards.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/audio.h"
#include "platform/scaler.h"
#include "platform/seam.h"

namespace harness {

// The mouse is in window pixels, `scale` of them to a logical unit as on a
// full screen of some size; 1 is the logical screen itself.
class ScriptedBackend : public kalup::seam::Backend {
public:
    double time = 0.0;
    std::int64_t wallClock = 1700000000;
    // The keys held now and pressed since the frame began, and the pad; the
    // game sees them as the top of the frame sampled them.
    bool keys[kalup::seam::KEY_COUNT] = {};
    int presses[kalup::seam::KEY_COUNT] = {};
    kalup::seam::Pad gamepad;
    // Runs while a frame is shown, as a player's hand moves on meanwhile.
    std::function<void()> whilePresenting;
    bool button = false, focus = true, closeBox = false;
    // Minimised or wholly covered when not visible; pictureLost as after an expose.
    bool visible = true, pictureGone = false;
    double cursorX = 0, cursorY = 0, scale = 1.0;
    // What the game did: moved the mouse, switched the screen mode, showed a
    // frame, waited for a deadline, waited for events.
    int cursorWrites = 0, screenSwitches = 0, presents = 0;
    std::vector<double> deadlines, eventWaits;

    double now() override { return time; }
    std::int64_t wallClockSeconds() override { return wallClock; }
    void takeInput() override
    {
        for (int k = 0; k < kalup::seam::KEY_COUNT; ++k) {
            sampledKeys[k] = keys[k] || presses[k] > 0;
            sampledPresses[k] = presses[k];
        }
        std::ranges::fill(presses, 0);
        // An unplugged pad reports nothing of what it held.
        sampledPad = gamepad.connected ? gamepad : kalup::seam::Pad{};
        std::ranges::fill(gamepad.presses, 0);
    }
    bool keyDown(kalup::seam::Key key) override { return sampledKeys[static_cast<int>(key)]; }
    int keyPresses(kalup::seam::Key key) override { return sampledPresses[static_cast<int>(key)]; }
    kalup::seam::Pad pad() override { return sampledPad; }
    bool leftButtonDown() override { return button; }
    bool focused() override { return focus; }
    void present() override
    {
        ++presents;
        pictureGone = false;
        if (whilePresenting)
            whilePresenting();
    }
    bool shown() override { return visible; }
    bool pictureLost() override { return pictureGone; }
    void switchScreenMode() override
    {
        ++screenSwitches;
        pictureGone = true;
    }
    bool closeRequested() override { return closeBox; }

    void cursor(double& x, double& y) override
    {
        x = kalup::scaler::toLogical(cursorX, scale);
        y = kalup::scaler::toLogical(cursorY, scale);
    }
    void setCursor(double x, double y) override
    {
        cursorX = kalup::scaler::toWindow(x, scale);
        cursorY = kalup::scaler::toWindow(y, scale);
        ++cursorWrites;
    }
    double waitUntil(double deadline) override
    {
        deadlines.push_back(deadline);
        return time = std::max(time, deadline);
    }
    // No event comes: the wait runs to its deadline.
    double waitForEvents(double deadline) override
    {
        eventWaits.push_back(deadline);
        return time = std::max(time, deadline);
    }

    // A key goes down: one press, and held until released.
    void press(kalup::seam::Key key)
    {
        keys[static_cast<int>(key)] = true;
        ++presses[static_cast<int>(key)];
    }
    void release(kalup::seam::Key key) { keys[static_cast<int>(key)] = false; }
    // A pad button the same way; a pad is plugged in to press it.
    void press(kalup::seam::PadButton button)
    {
        gamepad.connected = true;
        gamepad.held[static_cast<int>(button)] = true;
        ++gamepad.presses[static_cast<int>(button)];
    }
    void release(kalup::seam::PadButton button) { gamepad.held[static_cast<int>(button)] = false; }
    void releaseAll()
    {
        std::ranges::fill(keys, false);
        std::ranges::fill(presses, 0);
        gamepad = {};
        button = false;
    }

private:
    bool sampledKeys[kalup::seam::KEY_COUNT] = {};
    int sampledPresses[kalup::seam::KEY_COUNT] = {};
    kalup::seam::Pad sampledPad;
};

// The backend every test runs against, fresh for each test.
ScriptedBackend& input();

// A hidden GL context with the textures, fonts and texts; needResources adds
// the sound bank on the silent device.
void needDisplay();
void needResources();

// Every sample the game asked to play since the last clear.
std::vector<kalup::audio::Handle>& soundLog();
int timesPlayed(kalup::audio::Handle sample);

// The last message box the game showed ("" if none).
std::string& lastMessage();

// Whole frames of the main loop; tap holds a key down for one frame, then up for one.
void frames(int count);
void tap(kalup::seam::Key key);

// A fresh empty folder, removed when the guard ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return dir; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string dir;
};

// A fresh empty folder that is the working directory until the guard ends.
class TempWorkDir : public TempFolder {
public:
    TempWorkDir();
    ~TempWorkDir();

private:
    std::string previous;
};

// Environment variables set for a test (a null value unsets one) and put
// back when the guard ends.
class Environment {
public:
    Environment() = default;
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    void set(const char* name, const char* value);

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

// Frames from the menu at 1 s, the pointer above every row, the settings in
// a fresh folder; each test leaves the menu, unpaused, unmuted and with the
// focus, to the next.
class FromTheMenu : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // $XDG_CONFIG_HOME, made by the game when it saves the settings.
    std::string config() const { return home.path() + "/config"; }
    TempFolder home;
    Environment environment;
};

// The permission bits of a file or folder (0 if there is none), and the bytes of a file.
unsigned modeOf(const std::string& path);
std::string readFile(const std::string& path);

} // namespace harness
