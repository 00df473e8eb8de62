#pragma once
// What the tests drive the game with: a scripted clock, keys and mouse in
// place of the window, and lazily opened resources for tests that draw.
#include <cstdint>
#include <string>
#include <vector>
#include "platform/audio.h"
#include "platform/seam.h"

namespace harness {

class ScriptedBackend : public kalup::seam::Backend {
public:
    double time = 0.0;
    std::int64_t wallClock = 1700000000;
    bool keys[kalup::seam::KEY_COUNT] = {};
    bool button = false;
    bool focus = true;
    double cursorX = 0;
    double cursorY = 0;
    bool closeBox = false;
    // Every deadline the pacing waited for.
    std::vector<double> deadlines;
    // Switches between full screen and the window so far.
    int screenSwitches = 0;

    double now() override { return time; }
    std::int64_t wallClockSeconds() override { return wallClock; }
    bool keyDown(kalup::seam::Key key) override { return keys[static_cast<int>(key)]; }
    bool leftButtonDown() override { return button; }
    bool focused() override { return focus; }
    void cursor(double& x, double& y) override { x = cursorX; y = cursorY; }
    void setCursor(double x, double y) override { cursorX = x; cursorY = y; }
    double waitUntil(double deadline) override;
    void present() override {}
    void switchScreenMode() override { ++screenSwitches; }
    bool closeRequested() override { return closeBox; }

    void press(kalup::seam::Key key) { keys[static_cast<int>(key)] = true; }
    void release(kalup::seam::Key key) { keys[static_cast<int>(key)] = false; }
    void releaseAll();
};

// The backend every test runs against; reset before each test.
ScriptedBackend& input();
void resetInput();

// A hidden GL context, the textures, fonts and texts; opened once per process.
void needDisplay();
// needDisplay plus the sound bank on the silent device.
void needResources();

// Every sample the game asked to play since the last clear.
std::vector<kalup::audio::Handle>& soundLog();
int timesPlayed(kalup::audio::Handle sample);

// The last message box the game showed ("" if none).
std::string& lastMessage();

// A fresh empty folder, made the working directory until the guard ends.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;
    const std::string& path() const { return dir; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string previous;
    std::string dir;
};

} // namespace harness
