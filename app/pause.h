#pragma once
// Standing still. A round pauses on P or when the window loses the focus:
// the game clock stops, nothing of the round is run, and its last picture is
// shown dimmed under a "Paused" line. The help page, open over a round,
// stands it still the same way and shows itself in place of that line. P again, or the focus back, and it goes
// on from exactly where it stood. The music is quiet while a round stands
// still, and on the menu while the window is without the focus.

namespace kalup::pause {

extern bool paused;

// Once a frame, after the keys are read and Escape is served, told whether a
// round is on the screen. A pause that ends does so here, so this frame
// runs; one that begins waits for beginPauseIfDue.
void followPauseRequests(bool playing);
// After a running frame has drawn everything but the cursor: a pause due
// keeps that picture and stops the game clock.
void beginPauseIfDue();
// A paused frame: the kept picture dimmed, and the "Paused" line over it.
void drawPausedFrame();

} // namespace kalup::pause
