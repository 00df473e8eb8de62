// How long the round background takes per frame, drawn the display-list way
// (push, translate, call, pop per sprite) and the game's batched way (one
// vertex array per cloud), for each of the ten presets. Each frame ends with
// glFinish, so the wall time of the main thread includes a software
// renderer's work on its own threads; the main thread's processor time is
// what the drawing itself costs the game's one thread.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "bench/listed_background.h"
#include "platform/display.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"

namespace {

using namespace kalup;

constexpr unsigned SEED = 20240101;
constexpr int DEFAULT_FRAMES = 300;
// Long enough for every preset's trail to be fully stamped (3000 / 50).
constexpr int WARM_UP_FRAMES = 60;

using DrawBackground = void (*)();

void drawFrame(DrawBackground drawBackground)
{
    drawBackground();
    glFinish();
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Cost {
    double wall;
    double processor;
};

// Milliseconds per frame over the measured frames, from the same seed for
// both styles so they draw the same pictures.
Cost measure(int presetIndex, DrawBackground drawBackground, int frames)
{
    random::seed(SEED);
    display::beginFrame();
    background::buildBackground(presetIndex);
    listed::compileSprite();
    draw::beginScene3D();
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        drawFrame(drawBackground);
    Cost total{0.0, 0.0};
    for (int i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        const double processorStart = threadMilliseconds();
        drawFrame(drawBackground);
        total.processor += threadMilliseconds() - processorStart;
        total.wall += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    return {total.wall / frames, total.processor / frames};
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : DEFAULT_FRAMES;
    if (frames <= 0 || !display::openHiddenDisplay()) {
        std::fprintf(stderr, "usage: kalup_bench [frames]; needs a display (X server)\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%d frames per preset and style; ms per frame on the main thread:\n", frames);
    std::printf("wall time up to glFinish, and the thread's own processor time\n\n");
    std::printf("                  ------------ wall ------------   --------- processor ----------\n");
    std::printf("preset  sprites   display-list  batched   ratio   display-list  batched   ratio\n");
    for (int index = 0; index < 10; ++index) {
        const Cost list = measure(index, listed::drawBackground, frames);
        const Cost batched = measure(index, background::drawBackground, frames);
        const int sprites = background::preset.clouds * background::preset.trail;
        std::printf("%6d  %7d   %12.3f %8.3f %7.3f   %12.3f %8.3f %7.3f\n", index, sprites, list.wall,
                    batched.wall, batched.wall / list.wall, list.processor, batched.processor,
                    batched.processor / list.processor);
        std::fflush(stdout);
    }
    listed::deleteSprite();
    background::releaseBackground();
    display::closeDisplay();
    return 0;
}
