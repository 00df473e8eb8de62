#pragma once
// The game's frame on the playing screen taken apart into phases: the calls
// shell::runFrame makes there, in its order, with glFinish after each phase
// so that the software renderer's threads have drawn its pixels before the
// clock is read. The finishes add work of their own: the phases' shares are
// what this frame is for, the plain frame's time is runFrame's.
namespace bench::frame_phases {

enum Phase { BACKGROUND, BOARD, HUD_AND_SCREENS, RULES, GHOSTS, BURSTS, CURSOR, COPY, SWAP, COUNT };

inline constexpr const char* NAMES[COUNT] = {"background", "board", "HUD and end screens", "rules", "ghosts",
    "bursts", "cursor and wait", "scaled copy", "swap"};

// Milliseconds per phase: wall time, and the whole process's processor time
// (which a load elsewhere on the machine disturbs less).
struct Spent {
    double wall[COUNT];
    double process[COUNT];
    int frames;

    void add(const Spent& frame);
    // Per frame, from the totals.
    Spent perFrame() const;
};

// One frame of a classic round; adds each phase's time to spent. The scaled
// copy is timed by making it once alone, into the window's framebuffer of
// the given size, before the present makes it again and swaps: the swap is
// the present less that copy.
void playingFrame(Spent& spent, int framebufferWidth, int framebufferHeight);

} // namespace bench::frame_phases
