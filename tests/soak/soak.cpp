// A long stretch of play through the real frame: a real window, real buffer
// swaps, and seeded random clicks, pointer moves and keys on a scripted clock,
// in each of the three modes, ending with bursts still flying. Built with the
// sanitizers (test.sh) any fault, undefined behaviour or leak ends it; it
// fails by itself when the resident memory keeps growing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include "app/lifecycle.h"
#include "app/shell.h"
#include "board/play.h"
#include "data/records.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/display.h"
#include "platform/seam.h"

using namespace kalup;

namespace {

constexpr unsigned SEED = 20240808;
constexpr int DEFAULT_FRAMES_PER_MODE = 1000;
// Caches (glyphs, the allocator's pools) fill during the first frames of a mode.
constexpr int WARM_UP_FRAMES = 250;
// What one mode's memory may grow by after its warm-up. A leak of one burst
// per click (about 200 clicks a mode) alone would pass it by far.
constexpr double GROWTH_LIMIT_MB = 6.0;

class SoakInput final : public seam::Backend {
public:
    double now() override { return time; }
    std::int64_t wallClockSeconds() override { return 1700000000 + static_cast<std::int64_t>(time); }
    bool keyDown(seam::Key key) override { return held[static_cast<int>(key)]; }
    bool leftButtonDown() override { return button; }
    bool focused() override { return hasFocus; }
    void cursor(double& x, double& y) override { x = pointerX; y = pointerY; }
    void setCursor(double x, double y) override { pointerX = x; pointerY = y; }
    double waitUntil(double deadline) override
    {
        time = std::max(time, deadline);
        return time;
    }
    void present() override { display::glfwBackend().present(); }
    void switchScreenMode() override { display::glfwBackend().switchScreenMode(); }
    bool closeRequested() override { return false; }

    // The next frame's input: mostly pointing and clicking on the board, or
    // stepping and clicking with the keys; now and then space (the end
    // screens), Escape (the menu), a pause, the focus lost or back, mute, a
    // switch of the screen mode, or a slow frame.
    void next()
    {
        if (chance(8)) {
            pointerX = static_cast<double>(random() % 880) - 40.0;
            pointerY = static_cast<double>(random() % 680) - 40.0;
        } else {
            pointerX += static_cast<double>(random() % 21) - 10.0;
            pointerY += static_cast<double>(random() % 21) - 10.0;
        }
        button = chance(3);
        using enum seam::Key;
        const struct {
            seam::Key key;
            unsigned oneIn;
        } keys[] = {{Space, 40}, {Escape, 600}, {Left, 12}, {Right, 12}, {Up, 12}, {Down, 12}, {Enter, 10},
                    {P, 300}, {M, 400}, {F11, 700}};
        for (const auto& k : keys)
            held[static_cast<int>(k.key)] = chance(k.oneIn);
        if (chance(400))
            hasFocus = !hasFocus;
        if (chance(100))
            time += 0.5;
    }

private:
    bool chance(unsigned oneIn) { return random() % oneIn == 0; }

    std::mt19937 random{SEED};
    double time = 1.0;
    double pointerX = 400;
    double pointerY = 300;
    bool button = false;
    bool held[seam::KEY_COUNT] = {};
    bool hasFocus = true;
};

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The GL driver (a Mesa "..._dri.so") keeps blocks of its own until it is
// unloaded as the window closes; the leak checker would then report them
// against an unknown module. Kept loaded to the end, they stay its own.
void keepGlDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* library, std::size_t, void*) {
            if (std::string(library->dlpi_name).ends_with("_dri.so"))
                dlopen(library->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

struct Mode {
    const char* name;
    void (*start)();
};

// Plays one mode; false when its memory kept growing.
bool soakMode(SoakInput& input, const Mode& mode, int frames)
{
    mode.start();
    double settled = residentMegabytes();
    for (int frame = 0; frame < frames; ++frame) {
        if (frame == WARM_UP_FRAMES)
            settled = residentMegabytes();
        input.next();
        // Escape led back to the menu: play on in the same mode.
        if (shell::screenState == shell::SCREEN_MENU)
            mode.start();
        shell::runFrame();
    }
    const double end = residentMegabytes();
    std::printf("Soak: %-10s %d frames, resident %.1f MB after the warm-up, %.1f MB at the end\n", mode.name,
                frames, settled, end);
    return end - settled <= GROWTH_LIMIT_MB;
}

// Quits, as the player may, while bursts are still flying.
void playUntilABurstFlies(SoakInput& input)
{
    for (int frame = 0; frame < 2000 && fx::liveEmitters.empty(); ++frame) {
        input.next();
        shell::runFrame();
    }
}

} // namespace

// The sanitizer holds freed memory back to catch its use; with its default
// 256 MB of that the resident size would say little about what the game holds.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=8"; }

// The frames per mode may be given, e.g. more for a longer soak by hand.
int main(int argc, char** argv)
{
    // A sanitizer report ends the process without flushing: keep every line out at once.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    char folder[] = "/tmp/kalup-soak-XXXXXX";
    if (!mkdtemp(folder) || !display::openDisplay(32, false)) {
        std::fputs("Soak: no display to play on (is Xvfb running?)\n", stderr);
        return 1;
    }
    keepGlDriverLoaded();
    records::recordPath = std::string(folder) + "/" + records::RECORD_FILE;
    // M keeps the mute in the settings: in the soak's own folder.
    setenv("XDG_CONFIG_HOME", folder, 1);
    SoakInput input;
    seam::install(&input);
    sound::initSoundBank();
    lifecycle::loadResources();

    const Mode modes[] = {{"classic", shell::startClassicGame}, {"remove two", shell::startRemoveTwoGame},
        {"survival", shell::startFfGame}};
    const int frames = argc > 1 ? std::atoi(argv[1]) : DEFAULT_FRAMES_PER_MODE;
    bool flat = true;
    for (const Mode& mode : modes)
        flat = soakMode(input, mode, frames) && flat;
    playUntilABurstFlies(input);
    const bool quitDuringABurst = !fx::liveEmitters.empty();

    lifecycle::shutdown();
    std::filesystem::remove_all(folder);
    if (!flat)
        std::printf("Soak: FAILED, resident memory grew by more than %.0f MB in a mode\n", GROWTH_LIMIT_MB);
    if (!quitDuringABurst)
        std::puts("Soak: FAILED, no burst was flying at the end");
    return flat && quitDuringABurst ? 0 : 1;
}
