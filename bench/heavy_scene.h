#pragma once
// The heaviest scene of a round: a classic round on background preset 4 (two
// clouds, 3200 sprites, no veil) over a full board of 102 pieces of one
// colour in one group around a block of six of another. The pointer rests
// on the group, so its pieces swell; every cycle the group is clicked away,
// which starts 102 bursts and 102 ghosts, and the board is dealt again while
// the bursts still fly.
#include "bench/bench_seam.h"

namespace bench::heavy_scene {

inline constexpr int CYCLE_FRAMES = 100;
// The click comes once the swollen group has reached its full size.
inline constexpr int CLICK_FRAME = 60;
// The ghosts last 36 frames from the click; in their last ten they are at
// their largest, and the frames the heaviest of the cycle.
inline constexpr int GHOSTS_PEAK_FIRST = CLICK_FRAME + 25;
inline constexpr int GHOSTS_PEAK_LAST = CLICK_FRAME + 35;

// A classic game as the menu starts it, then the preset and the board; no
// burst or ghost of an earlier run is left.
void start(BenchSeam& seam);
// Scripts the frame about to run, counted from the start.
void script(BenchSeam& seam, int frame);
bool ghostsAtTheirPeak(int frame);
// Ends every burst and ghost at once, for a screen that should show none.
void dropBurstsAndGhosts();

} // namespace bench::heavy_scene
