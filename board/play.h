#pragma once
// The modes the game is played in. The mode decides how the board is dealt
// and settled, and which rules the round follows.

namespace kalup::play {

// There is no mode 1.
inline constexpr int MODE_CLASSIC = 0;
inline constexpr int MODE_REMOVE_TWO = 2;
inline constexpr int MODE_SURVIVAL = 3;

} // namespace kalup::play
