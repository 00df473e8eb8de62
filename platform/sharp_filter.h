#pragma once
// The full-screen copy's filter: each logical pixel keeps its width within a
// window pixel at any scale, and only the window pixels across an edge mix
// the two sides. One pass over a linearly filtered texture whose coordinates
// a small fragment program snaps to the texel centres except within half a
// window pixel of an edge.

namespace kalup::sharp_filter {

// Builds the program in the current GL context; false when the driver
// cannot (the copy then samples the nearest logical pixel).
bool create();
// Filters the next drawing from a texture of the given size in texels,
// shown at the given size in window pixels.
void use(int textureWidth, int textureHeight, int shownWidth, int shownHeight);
// Back to fixed-function drawing.
void stop();
void destroy();

} // namespace kalup::sharp_filter
