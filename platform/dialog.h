#pragma once
// The launcher dialog and the message box, over FLTK.

#include <string>

namespace kalup::dialog {

// Control ids of the launcher, as the launcher's commands know them.
inline constexpr int ID_START = 1;
inline constexpr int ID_16_BIT = 1001;
inline constexpr int ID_32_BIT = 1002;
inline constexpr int ID_FULLSCREEN = 1003;
inline constexpr int ID_WINDOWED = 1004;

using CommandHandler = void (*)(int id);
using CloseHandler = void (*)();

// Builds and shows the launcher ("Welcome to Kalup Game!") with the picture
// "images/launcher.png" on the left. Commands go to onCommand; the close box
// and Escape go to onClose. False when it cannot be created.
bool createLauncher(CommandHandler onCommand, CloseHandler onClose);
// Sets a radio button checked, as the dialog's initialisation does.
void checkLauncherButton(int id);
// Handles waiting events, sleeping briefly when there are none.
void pumpLauncher();
// Returns once the launcher is drawn on the screen.
void drawLauncherNow();
void destroyLauncher();

// Why no display can be reached, in words for stderr; empty when one can.
std::string noDisplayReason();

// The text as the message box shows it: a word wider than `widest` pixels
// in the box's font (a long path), which would be wrapped into blank lines,
// loses its middle to an ellipsis.
std::string fitWords(const char* text, int widest);

// A message with one "OK" button; blocks until it is dismissed.
void messageBox(const char* text);

// Tests replace the message box with a sink that records the text.
using MessageSink = void (*)(const char* text);
void setMessageSink(MessageSink sink);

} // namespace kalup::dialog
