// How long the round background takes per frame, drawn the display-list way
// (push, translate, call, pop per sprite) and the game's batched way (one
// vertex array per cloud), for each of the ten presets. Each frame ends with
// glFinish, so the wall time includes the software renderer's work on its
// own threads; the main thread's processor time is what the drawing costs
// the game's one thread, and the process's processor time is everything,
// the renderer's threads included. The two styles take turns, repeatedly,
// so that a load elsewhere on the machine falls on both alike.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/listed_background.h"
#include "bench/measure.h"
#include "platform/display.h"
#include "platform/random.h"
#include "render/background.h"
#include "render/draw.h"

namespace {

using namespace kalup;
using bench::measure::Reading;

constexpr unsigned SEED = 20240101;
constexpr int DEFAULT_FRAMES = 150;
constexpr int DEFAULT_REPETITIONS = 3;
// Long enough for every preset's trail to be fully stamped (3000 / 50).
constexpr int WARM_UP_FRAMES = 60;

using DrawBackground = void (*)();

struct Style {
    const char* name;
    DrawBackground draw;
    // Milliseconds per frame, one figure per repetition.
    std::vector<double> wall, thread, process;
};

void drawFrame(DrawBackground drawBackground)
{
    drawBackground();
    glFinish();
}

// One repetition, from the same seed for both styles so they draw the same pictures.
void measure(int presetIndex, Style& style, int frames)
{
    random::seed(SEED);
    display::beginFrame();
    background::buildBackground(presetIndex);
    listed::compileSprite();
    draw::beginScene3D();
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        drawFrame(style.draw);
    Reading total{0.0, 0.0, 0.0};
    for (int i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        const Reading start = bench::measure::read();
        drawFrame(style.draw);
        const Reading spent = bench::measure::since(start);
        total.wall += spent.wall;
        total.thread += spent.thread;
        total.process += spent.process;
    }
    style.wall.push_back(total.wall / frames);
    style.thread.push_back(total.thread / frames);
    style.process.push_back(total.process / frames);
}

void printSpread(const std::vector<double>& values)
{
    const auto s = bench::measure::spread(values);
    std::printf("  %6.2f %6.2f %6.2f", s.min, s.median, s.max);
}

double median(const std::vector<double>& values) { return bench::measure::spread(values).median; }

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : DEFAULT_FRAMES;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : DEFAULT_REPETITIONS;
    if (frames <= 0 || repetitions <= 0 || !display::openHiddenDisplay()) {
        std::fprintf(stderr, "usage: kalup_bench [frames [repetitions]]; needs a display (X server)\n");
        return 1;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("%d frames per preset, style and repetition, %d repetitions taking turns;\n", frames,
        repetitions);
    std::printf("ms per frame as min median max: wall time up to glFinish, the main thread's\n");
    std::printf("processor time and the whole process's (the renderer's threads included)\n\n");
    std::printf("preset sprites style        ------ wall ------   ----- thread -----   ---- process -----\n");
    for (int index = 0; index < 10; ++index) {
        Style list{"display-list", listed::drawBackground, {}, {}, {}};
        Style batched{"batched", background::drawBackground, {}, {}, {}};
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            // Turn about, so neither style always runs first.
            Style& first = repetition % 2 ? batched : list;
            Style& second = repetition % 2 ? list : batched;
            measure(index, first, frames);
            measure(index, second, frames);
        }
        const int sprites = background::preset.clouds * background::preset.trail;
        for (const Style* style : {&list, &batched}) {
            std::printf("%6d %7d %-12s", index, sprites, style->name);
            printSpread(style->wall);
            printSpread(style->thread);
            printSpread(style->process);
            std::printf("\n");
        }
        std::printf("%6d %7d %-12s  %20.3f %20.3f %20.3f\n", index, sprites, "ratio", median(batched.wall) / median(list.wall),
            median(batched.thread) / median(list.thread), median(batched.process) / median(list.process));
        std::fflush(stdout);
    }
    listed::deleteSprite();
    background::releaseBackground();
    display::closeDisplay();
    return 0;
}
