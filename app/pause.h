#pragma once
// Who asks a round to stand still: P, until P again, a lost focus, until it
// comes back, and the help page while it is open over the round. The music
// is quiet while a round stands still, and on the menu while the window is
// without the focus.

namespace kalup::pause {

// Once a frame, after the keys are read and Escape is served, told whether a
// round is on the screen and whether the help is open over it.
void followPauseRequests(bool roundOnScreen, bool helpOpen);
// Whether the round on the screen is to stand still, as last followed.
bool pauseDue();

} // namespace kalup::pause
