// Seeded random clicks, pointer moves and keys on a scripted clock through
// the real frame, window and buffer swaps, in each of the three modes, ending
// with bursts still flying. Built with the sanitizers (test.sh) any fault,
// undefined behaviour or leak ends it; it fails when resident memory grows.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include "app/game_files.h"
#include "app/lifecycle.h"
#include "app/shell.h"
#include "board/play.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/display.h"
#include "platform/seam.h"

using namespace kalup;

namespace {

constexpr int DEFAULT_FRAMES_PER_MODE = 1000;
// Caches (glyphs, the allocator's pools, the sanitizer's quarantine) fill
// during the first frames of a mode, unevenly as the random play goes: the
// growth is measured over the second half of a mode's frames.
constexpr int WARM_UP_SHARE = 2;
// What one mode's memory may grow by after its warm-up. A leak of one burst
// per click (about 200 clicks a mode) alone would pass it by far.
constexpr double GROWTH_LIMIT_MB = 6.0;

// The window shows every frame and switches the screen mode for real.
class SoakInput final : public seam::Backend {
public:
    double now() override { return time; }
    std::int64_t wallClockSeconds() override { return 1700000000 + static_cast<std::int64_t>(time); }
    bool keyDown(seam::Key key) override { return held[static_cast<int>(key)]; }
    bool leftButtonDown() override { return button; }
    bool focused() override { return hasFocus; }
    void cursor(double& x, double& y) override { x = pointerX, y = pointerY; }
    void setCursor(double x, double y) override { pointerX = x, pointerY = y; }
    double waitUntil(double deadline) override { return time = std::max(time, deadline); }
    double waitForEvents(double deadline) override { return waitUntil(deadline); }
    void present() override { display::glfwBackend().present(); }
    bool shown() override { return true; }
    bool pictureLost() override { return false; }
    void switchScreenMode() override { display::glfwBackend().switchScreenMode(); }
    bool closeRequested() override { return false; }

    // Mostly pointing and clicking or stepping with the keys; now and then the
    // end screens' space, Escape, a pause, the focus, mute, F11 or a slow frame.
    void next()
    {
        const bool jump = chance(8);
        pointerX = jump ? double(random() % 880) - 40.0 : pointerX + double(random() % 21) - 10.0;
        pointerY = jump ? double(random() % 680) - 40.0 : pointerY + double(random() % 21) - 10.0;
        button = chance(3);
        using enum seam::Key;
        const std::pair<seam::Key, unsigned> oneIn[] = {{Space, 40}, {Escape, 600}, {Left, 12}, {Right, 12},
            {Up, 12}, {Down, 12}, {Enter, 10}, {P, 300}, {M, 400}, {F11, 700}};
        for (const auto& [key, n] : oneIn)
            held[static_cast<int>(key)] = chance(n);
        hasFocus = hasFocus != chance(400);
        time += chance(100) ? 0.5 : 0.0;
    }

private:
    bool chance(unsigned oneIn) { return random() % oneIn == 0; }

    std::mt19937 random{20240808};
    double time = 1.0, pointerX = 400, pointerY = 300;
    bool button = false, hasFocus = true;
    bool held[seam::KEY_COUNT] = {};
};

double residentMegabytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
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

// Plays one mode, Escape to the menu starting it again; false when its memory kept growing.
bool soakMode(SoakInput& input, const char* name, int mode, int frames)
{
    shell::screens().make(screens::Change::startGame(mode));
    double settled = residentMegabytes();
    for (int frame = 0; frame < frames; ++frame) {
        if (frame == frames / WARM_UP_SHARE)
            settled = residentMegabytes();
        input.next();
        if (shell::screens().current() == screens::ScreenId::Menu)
            shell::screens().make(screens::Change::startGame(mode));
        shell::runFrame();
    }
    const double end = residentMegabytes();
    std::printf("Soak: %-10s %d frames, resident %.1f MB after the warm-up, %.1f MB at the end\n", name, frames,
                settled, end);
    return end - settled <= GROWTH_LIMIT_MB;
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
    // The record, and the mute M keeps in the settings, in the soak's own folder.
    game_files::recordFile().path = std::string(folder) + "/" + records::RECORD_FILE;
    setenv("XDG_CONFIG_HOME", folder, 1);
    SoakInput input;
    seam::install(&input);
    sound::loadSoundBank();
    sound::startMusic();
    lifecycle::loadResources();

    const int frames = argc > 1 ? std::atoi(argv[1]) : DEFAULT_FRAMES_PER_MODE;
    bool flat = soakMode(input, "classic", play::MODE_CLASSIC, frames);
    flat = soakMode(input, "remove two", play::MODE_REMOVE_TWO, frames) && flat;
    flat = soakMode(input, "survival", play::MODE_SURVIVAL, frames) && flat;
    // Quits, as the player may, while bursts are still flying.
    for (int frame = 0; frame < 2000 && fx::liveEmitters.empty(); ++frame) {
        input.next();
        shell::runFrame();
    }
    const bool quitDuringABurst = !fx::liveEmitters.empty();

    lifecycle::shutdown();
    std::filesystem::remove_all(folder);
    if (!flat)
        std::printf("Soak: FAILED, resident memory grew by more than %.0f MB in a mode\n", GROWTH_LIMIT_MB);
    if (!quitDuringABurst)
        std::puts("Soak: FAILED, no burst was flying at the end");
    return flat && quitDuringABurst ? 0 : 1;
}
