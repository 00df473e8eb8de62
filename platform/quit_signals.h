#pragma once
// SIGINT, SIGTERM and SIGHUP (a closed terminal) ask the game to quit like
// the window's close box: the game window and the message box both watch
// for them, so the game always ends in order and saves its record.

namespace kalup::quit_signals {

void install();
// Blocks the quit signals in the calling thread, so that they land on the
// main thread, which watches for them, and never on a thread about to end.
void leaveToMainThread();
// A quit signal arrived since the last clear.
bool received();
// Tests raise the signals themselves and put the flag back.
void clear();

} // namespace kalup::quit_signals
