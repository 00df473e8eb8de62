#pragma once
// The help page: how to play, over whatever screen it was opened on. F1
// opens it on any screen and closes it again, as does Escape. A round under
// it stands still as under P (the pause follows isOpen); the menu under it
// takes no input. The Escape that closes the page leaves nothing else: the
// round goes on, however long the key is held.

namespace kalup::help_page {

bool isOpen();
void open();
void close();

// Once a frame, after the keys are read.
void followKeys();
// The Escape that closed the page, while it is still held: the screen
// under it must not take it.
bool holdsEscape();
// Opened or closed in this frame: a still screen must be drawn again.
bool changed();

// The page over the picture drawn before it.
void drawPage();

// Shown on the menu the first time the game ever starts, until the player
// opens the help.
void offerHint();
bool hintOffered();

} // namespace kalup::help_page
