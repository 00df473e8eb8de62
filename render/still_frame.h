#pragma once
// A still of the logical screen: what a frame drew, kept in a texture to be
// shown again while the game stands still.

namespace kalup::still_frame {

// Keeps the logical screen as drawn so far (the current drawing target).
void captureFrame();
// Covers the logical screen with the still, its colours scaled by brightness
// (0..1). Nothing before the first capture. Needs the 2D screen projection.
void drawStillFrame(float brightness);
// Deletes the texture; the next capture makes a new one.
void releaseStillFrame();

} // namespace kalup::still_frame
