// The game's whole frame on a real window and context: the heaviest scene of
// a round (see heavy_scene.h) run through shell::runFrame with a scripted
// clock and input, at an 800 x 600 window and at full screen, where the
// logical screen is scaled into the monitor. For each it prints the frame
// work (from the frame's start to after the swap and glFinish) per frame,
// the share of each phase of the frame, and, paced by the game's own clock,
// the idle menu's processor use, the menu's after a round with background
// preset 0, the scene's frame rate and that of a classic round on each of
// the ten background presets, the processor use of the game in the
// background (the menu and a round without the focus, covered, minimised);
// and, first, the time from the
// launcher's Enter to the menu's first frame. The two screens take turns,
// and every figure is repeated: the summaries give min, median and max.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "app/shell.h"
#include "bench/bench_seam.h"
#include "bench/frame_phases.h"
#include "bench/heavy_scene.h"
#include "bench/measure.h"
#include "bench/startup.h"
#include "board/board.h"
#include "board/play.h"
#include "data/sound.h"
#include "platform/display.h"
#include "platform/seam.h"
#include "render/background.h"
#include "render/draw.h"
#include "render/textures.h"

namespace {

using namespace kalup;
using bench::measure::Reading;
using bench::measure::FrameSummary;
using bench::frame_phases::COUNT;

constexpr double BUDGET_MS = 1000.0 * shell::FRAME_PERIOD;
// Enough for the first cycle to have run and the renderer's shaders to be built.
constexpr int WARM_UP_FRAMES = 200;

struct Options {
    int frames = 2000;
    int repetitions = 3;
    int phaseFrames = 500;
    int startups = 5;
    double seconds = 10.0;
    double presetSeconds = 3.0;
    double backgroundSeconds = 5.0;
    int screenWidth = 1920;
    int screenHeight = 1080;
};

struct Screen {
    std::string name;
    bool fullscreen;
    int width;
    int height;
};

// A paced run: frames per second, and processor time in per cent of one core.
struct Paced {
    double fps;
    double process;
    double thread;
};

// The game as the player may leave it: the window's focus and whether it can
// be seen, on the menu or in a round (which then stands paused without the focus).
struct Background {
    const char* what;
    bool round;
    bool focus;
    bool visible;
};

constexpr Background BACKGROUNDS[] = {
    {"menu, focused", false, true, true},
    {"menu, unfocused", false, false, true},
    {"menu, covered", false, true, false},
    {"menu, minimised", false, false, false},
    {"round paused, unfocused", true, false, true},
    {"round, minimised", true, false, false},
};
constexpr int BACKGROUND_COUNT = sizeof BACKGROUNDS / sizeof BACKGROUNDS[0];

struct Results {
    std::vector<FrameSummary> frames;
    std::vector<double> threadPerFrame;
    std::vector<double> processPerFrame;
    std::vector<bench::frame_phases::Spent> phases;
    std::vector<bench::frame_phases::Spent> ghostsPeak;
    std::vector<Paced> idleMenu;
    std::vector<Paced> menuAfterPresetZero;
    std::vector<Paced> pacedScene;
    // A classic round as dealt, the pointer on the board, on each background preset.
    std::vector<Paced> rounds[10];
    std::vector<Paced> background[BACKGROUND_COUNT];
};

bench::BenchSeam benchSeam;
bool soundOpen = false;

bool openScreen(const Screen& screen)
{
    if (!display::openDisplay(32, screen.fullscreen))
        return false;
    seam::install(&benchSeam);
    if (!soundOpen) {
        sound::loadSoundBank();
        sound::startMusic();
        soundOpen = true;
    }
    lifecycle::loadResources();
    return true;
}

void closeScreen()
{
    bench::heavy_scene::dropBurstsAndGhosts();
    textures::releaseTextures();
    background::releaseBackground();
    draw::deleteFonts();
    display::closeDisplay();
}

void sceneFrame(int frame)
{
    bench::heavy_scene::script(benchSeam, frame);
    shell::runFrame();
}

void runFrames(const Options& options, Results& results)
{
    benchSeam.paced = false;
    bench::heavy_scene::start(benchSeam);
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame)
        sceneFrame(frame);
    std::vector<double> times;
    times.reserve(options.frames);
    const Reading run = bench::measure::read();
    for (int frame = WARM_UP_FRAMES; frame < WARM_UP_FRAMES + options.frames; ++frame) {
        const double start = bench::measure::wallMilliseconds();
        sceneFrame(frame);
        times.push_back(bench::measure::wallMilliseconds() - start);
    }
    const Reading spent = bench::measure::since(run);
    results.frames.push_back(bench::measure::summarise(times, BUDGET_MS));
    results.threadPerFrame.push_back(spent.thread / options.frames);
    results.processPerFrame.push_back(spent.process / options.frames);
}

void runPhases(const Options& options, const Screen& screen, Results& results)
{
    benchSeam.paced = false;
    bench::heavy_scene::start(benchSeam);
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame)
        sceneFrame(frame);
    bench::frame_phases::Spent all{};
    bench::frame_phases::Spent peak{};
    for (int frame = WARM_UP_FRAMES; frame < WARM_UP_FRAMES + options.phaseFrames; ++frame) {
        bench::heavy_scene::script(benchSeam, frame);
        bench::frame_phases::Spent spent{};
        bench::frame_phases::playingFrame(spent, screen.width, screen.height);
        all.add(spent);
        if (bench::heavy_scene::ghostsAtTheirPeak(frame))
            peak.add(spent);
    }
    results.phases.push_back(all.perFrame());
    results.ghostsPeak.push_back(peak.perFrame());
}

// Frames as the game paces them, for the given time.
Paced runPaced(double seconds, bool scene)
{
    benchSeam.paced = true;
    shell::loop().lastFrameTime = benchSeam.now();
    const Reading run = bench::measure::read();
    int frames = 0;
    while (bench::measure::wallMilliseconds() - run.wall < seconds * 1000.0) {
        if (scene)
            bench::heavy_scene::script(benchSeam, frames);
        shell::runFrame();
        ++frames;
    }
    const Reading spent = bench::measure::since(run);
    benchSeam.paced = false;
    return {frames * 1000.0 / spent.wall, 100.0 * spent.process / spent.wall, 100.0 * spent.thread / spent.wall};
}

void runMenus(const Options& options, Results& results)
{
    // The menu as the game opens it: no round has built a background yet.
    bench::heavy_scene::dropBurstsAndGhosts();
    shell::screens().backToMenu();
    background::deleteClouds();
    background::preset = {};
    benchSeam.cursorX = 400;
    benchSeam.cursorY = 100;
    results.idleMenu.push_back(runPaced(options.seconds, false));

    shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
    background::buildBackground(0);
    shell::runFrame();
    shell::screens().backToMenu();
    results.menuAfterPresetZero.push_back(runPaced(options.seconds, false));

    bench::heavy_scene::start(benchSeam);
    results.pacedScene.push_back(runPaced(options.seconds, true));
}

void runRounds(const Options& options, Results& results)
{
    bench::heavy_scene::dropBurstsAndGhosts();
    // On the middle of the board: its group swells, as when a player looks for a move.
    benchSeam.cursorX = board::homeXOf(4);
    benchSeam.cursorY = 64 * 4 + 20;
    for (int preset = 0; preset < 10; ++preset) {
        shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
        background::buildBackground(preset);
        results.rounds[preset].push_back(runPaced(options.presetSeconds, false));
    }
}

void runBackground(const Options& options, Results& results)
{
    bench::heavy_scene::dropBurstsAndGhosts();
    benchSeam.cursorX = 400;
    benchSeam.cursorY = 100;
    for (int i = 0; i < BACKGROUND_COUNT; ++i) {
        const Background& b = BACKGROUNDS[i];
        shell::screens().backToMenu();
        benchSeam.focus = true;
        benchSeam.visible = true;
        shell::runFrame();
        if (b.round) {
            shell::screens().make(screens::Change::startGame(play::MODE_CLASSIC));
            background::buildBackground(0);
            shell::runFrame();
        }
        benchSeam.focus = b.focus;
        benchSeam.visible = b.visible;
        results.background[i].push_back(runPaced(options.backgroundSeconds, false));
    }
    benchSeam.focus = true;
    benchSeam.visible = true;
    shell::screens().backToMenu();
    shell::runFrame();
}

void printFrames(const FrameSummary& s, double thread, double process)
{
    std::printf("mean %6.2f  p50 %6.2f  p99 %6.2f  max %6.2f  over %5.1f %%  |  main thread %5.2f  process %5.2f\n",
        s.mean, s.p50, s.p99, s.max, s.overBudget, thread, process);
}

void printPaced(const char* what, const Paced& paced)
{
    std::printf("    %-28s %5.1f fps  process %5.1f %%  main thread %5.1f %%\n", what, paced.fps, paced.process,
        paced.thread);
}

void printSpread(const char* label, const std::vector<double>& values)
{
    const auto s = bench::measure::spread(values);
    std::printf("    %-34s %8.2f %8.2f %8.2f\n", label, s.min, s.median, s.max);
}

template <typename Pick> std::vector<double> pick(const std::vector<FrameSummary>& all, Pick field)
{
    std::vector<double> values;
    for (const FrameSummary& s : all)
        values.push_back(s.*field);
    return values;
}

template <typename Pick> std::vector<double> pick(const std::vector<Paced>& all, Pick field)
{
    std::vector<double> values;
    for (const Paced& p : all)
        values.push_back(p.*field);
    return values;
}

// Frames per second of a classic round on each background preset, 0 to 9:
// the last repetition's, or the medians.
void printRounds(const Results& r, bool medians)
{
    std::printf("    %-28s", "classic round by preset");
    for (const std::vector<Paced>& runs : r.rounds)
        std::printf(" %5.1f", medians ? bench::measure::spread(pick(runs, &Paced::fps)).median : runs.back().fps);
    std::printf(" fps\n");
}

void printSummary(const Screen& screen, const Results& r)
{
    std::printf("\n%s: min, median and max over %zu repetitions\n", screen.name.c_str(), r.frames.size());
    std::printf("  heaviest scene, frame work in ms (budget %.2f):\n", BUDGET_MS);
    printSpread("mean", pick(r.frames, &FrameSummary::mean));
    printSpread("p50", pick(r.frames, &FrameSummary::p50));
    printSpread("p99", pick(r.frames, &FrameSummary::p99));
    printSpread("max", pick(r.frames, &FrameSummary::max));
    printSpread("frames over budget, %", pick(r.frames, &FrameSummary::overBudget));
    printSpread("main thread processor ms/frame", r.threadPerFrame);
    printSpread("process processor ms/frame", r.processPerFrame);
    std::printf("  phases (glFinish after each), medians in ms per frame: all frames, and the\n");
    std::printf("  cycle's heaviest, when the ghosts are at their largest; shares of the sums\n");
    std::printf("    %-22s %8s %7s %8s %7s   %8s %7s %8s\n", "", "wall", "", "process", "", "wall", "",
        "process");
    const std::vector<bench::frame_phases::Spent>* sets[2] = {&r.phases, &r.ghostsPeak};
    double medians[2][2][COUNT] = {};
    double sums[2][2] = {};
    for (int set = 0; set < 2; ++set)
        for (int phase = 0; phase < COUNT; ++phase) {
            std::vector<double> wall, process;
            for (const auto& run : *sets[set]) {
                wall.push_back(run.wall[phase]);
                process.push_back(run.process[phase]);
            }
            medians[set][0][phase] = bench::measure::spread(wall).median;
            medians[set][1][phase] = bench::measure::spread(process).median;
            sums[set][0] += medians[set][0][phase];
            sums[set][1] += medians[set][1][phase];
        }
    for (int phase = 0; phase < COUNT; ++phase) {
        std::printf("    %-22s", bench::frame_phases::NAMES[phase]);
        for (int set = 0; set < 2; ++set)
            for (int clock = 0; clock < 2; ++clock) {
                const double ms = medians[set][clock][phase];
                if (set == 1 && clock == 1)
                    std::printf(" %8.2f", ms);
                else
                    std::printf(" %8.2f %5.1f %%", ms, sums[set][clock] > 0 ? 100.0 * ms / sums[set][clock] : 0.0);
            }
        std::printf("\n");
    }
    std::printf("    %-22s %8.2f %7s %8.2f %7s   %8.2f %7s %8.2f\n", "sum", sums[0][0], "", sums[0][1], "", sums[1][0], "",
        sums[1][1]);
    const struct {
        const char* what;
        const std::vector<Paced>& runs;
    } paced[] = {{"idle menu", r.idleMenu}, {"menu after a preset 0 round", r.menuAfterPresetZero},
        {"heaviest scene", r.pacedScene}};
    for (const auto& p : paced) {
        std::printf("  paced %s:\n", p.what);
        printSpread("frames per second", pick(p.runs, &Paced::fps));
        printSpread("process, % of a core", pick(p.runs, &Paced::process));
        printSpread("main thread, % of a core", pick(p.runs, &Paced::thread));
    }
    std::printf("  paced, medians:\n");
    printRounds(r, true);
    std::printf("  in the background, paced, medians:\n");
    for (int i = 0; i < BACKGROUND_COUNT; ++i) {
        const std::vector<Paced>& runs = r.background[i];
        printPaced(BACKGROUNDS[i].what, {bench::measure::spread(pick(runs, &Paced::fps)).median,
            bench::measure::spread(pick(runs, &Paced::process)).median,
            bench::measure::spread(pick(runs, &Paced::thread)).median});
    }
}

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = std::strchr(arg, '=');
        if (!value)
            return false;
        ++value;
        if (std::strncmp(arg, "--frames=", 9) == 0)
            options.frames = std::atoi(value);
        else if (std::strncmp(arg, "--repetitions=", 14) == 0)
            options.repetitions = std::atoi(value);
        else if (std::strncmp(arg, "--phase-frames=", 15) == 0)
            options.phaseFrames = std::atoi(value);
        else if (std::strncmp(arg, "--startups=", 11) == 0)
            options.startups = std::atoi(value);
        else if (std::strncmp(arg, "--preset-seconds=", 17) == 0)
            options.presetSeconds = std::atof(value);
        else if (std::strncmp(arg, "--background-seconds=", 21) == 0)
            options.backgroundSeconds = std::atof(value);
        else if (std::strncmp(arg, "--seconds=", 10) == 0)
            options.seconds = std::atof(value);
        else if (std::strncmp(arg, "--screen=", 9) == 0) {
            if (std::sscanf(value, "%dx%d", &options.screenWidth, &options.screenHeight) != 2)
                return false;
        } else
            return false;
    }
    return options.frames > 0 && options.repetitions > 0 && options.phaseFrames > 0 && options.startups >= 0
        && options.seconds > 0 && options.presetSeconds > 0 && options.backgroundSeconds > 0;
}

// Before any window of this process opens: each start-up runs in a child of its own.
bool measureStartups(const Options& options, const Screen (&screens)[2])
{
    if (options.startups == 0)
        return true;
    std::printf("\nstart-up, from the launcher's Enter to the menu's first frame, ms at the end of each step\n");
    std::vector<double> ends[2][bench::startup::STEPS];
    for (int run = 0; run < options.startups; ++run)
        for (int turn = 0; turn < 2; ++turn) {
            const int index = (turn + run) % 2;
            double stepEnds[bench::startup::STEPS];
            if (!bench::startup::measure(screens[index].fullscreen, stepEnds)) {
                std::fprintf(stderr, "the start-up on the %s failed\n", screens[index].name.c_str());
                return false;
            }
            for (int step = 0; step < bench::startup::STEPS; ++step)
                ends[index][step].push_back(stepEnds[step]);
        }
    for (int index = 0; index < 2; ++index) {
        std::printf("  %s: min, median and max over %d starts\n", screens[index].name.c_str(), options.startups);
        for (int step = 0; step < bench::startup::STEPS; ++step)
            printSpread(bench::startup::STEP_NAMES[step], ends[index][step]);
    }
    std::printf("\n");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: kalup_frame_bench [--frames=N] [--phase-frames=N] [--repetitions=N]\n"
                             "       [--seconds=S] [--preset-seconds=S] [--background-seconds=S] [--startups=N]\n"
                             "       [--screen=WIDTHxHEIGHT]\n"
                             "(the screen is the X screen's size, which full screen fills)\n");
        return 2;
    }
    const Screen screens[2] = {
        {"800 x 600 window", false, 800, 600},
        {std::to_string(options.screenWidth) + " x " + std::to_string(options.screenHeight) + " full screen", true,
            options.screenWidth, options.screenHeight},
    };
    if (!measureStartups(options, screens))
        return 1;
    Results results[2];
    std::printf("heaviest scene: classic round, background preset 4, 102-piece group hovered and clicked\n");
    std::printf("every %d frames; %d frames per run after %d to warm up, %d frames in phases,\n",
        bench::heavy_scene::CYCLE_FRAMES, options.frames, WARM_UP_FRAMES, options.phaseFrames);
    std::printf("%.0f s per paced run, %.0f s per preset for the paced classic rounds, %.0f s per\n",
        options.seconds, options.presetSeconds, options.backgroundSeconds);
    std::printf("case in the background,\n");
    std::printf("%d repetitions with the screens taking turns\n", options.repetitions);
    for (int repetition = 0; repetition < options.repetitions; ++repetition) {
        for (int turn = 0; turn < 2; ++turn) {
            const int index = (turn + repetition) % 2;
            const Screen& screen = screens[index];
            if (!openScreen(screen)) {
                std::fprintf(stderr, "could not open the %s (is there an X server?)\n", screen.name.c_str());
                return 1;
            }
            if (repetition == 0 && turn == 0)
                std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
            Results& r = results[index];
            runFrames(options, r);
            std::printf("repetition %d, %-24s ", repetition + 1, screen.name.c_str());
            printFrames(r.frames.back(), r.threadPerFrame.back(), r.processPerFrame.back());
            std::fflush(stdout);
            runPhases(options, screen, r);
            runMenus(options, r);
            printPaced("idle menu", r.idleMenu.back());
            printPaced("menu after a preset 0 round", r.menuAfterPresetZero.back());
            printPaced("heaviest scene", r.pacedScene.back());
            runRounds(options, r);
            printRounds(r, false);
            runBackground(options, r);
            for (int i = 0; i < BACKGROUND_COUNT; ++i)
                printPaced(BACKGROUNDS[i].what, r.background[i].back());
            std::fflush(stdout);
            closeScreen();
        }
    }
    for (int index = 0; index < 2; ++index)
        printSummary(screens[index], results[index]);
    sound::freeSoundBank();
    return 0;
}
