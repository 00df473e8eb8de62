#pragma once
// What the whole game shares with the board's rules: the mode being played,
// which decides how the board is dealt and settled, and the score its
// removals earn. The game's starters set them; the board reads the mode and
// adds to the score.

namespace kalup::play {

// There is no mode 1.
inline constexpr int MODE_CLASSIC = 0;
inline constexpr int MODE_REMOVE_TWO = 2;
inline constexpr int MODE_FF = 3;

extern int gameMode;
// Points of the current game; a new game sets it to 0.
extern int score;

} // namespace kalup::play
