#pragma once
// The logical screen everything is drawn into and the pointer moves on:
// 800 x 600 units, origin at the upper left, y downwards.

namespace kalup::logical {

inline constexpr int WIDTH = 800;
inline constexpr int HEIGHT = 600;

} // namespace kalup::logical
