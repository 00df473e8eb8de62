#pragma once
// The game window over GLFW 3, and the seam backend that reads it.
// The game draws into a logical 800 x 600 screen; a larger full-screen
// window shows it scaled into the largest centred 4:3 area.
#include "platform/seam.h"

struct GLFWwindow;

namespace kalup::display {

inline constexpr const char* WINDOW_TITLE = "Kalup";

// Makes the game's window hidden, with its context, so that the GL driver
// starts while the player still looks at the launcher. False when GLFW
// cannot start or the window cannot be made: openDisplay then starts over.
bool prepareDisplay(int colorDepth);

// Opens the window, asking for colour bits 5/6/5/0 (16) or 8/8/8/8 (32),
// captures the mouse, enables blending and shows a first black frame. A
// 16-bit picture on a window with more bits is drawn through the 5/6/5
// target. The window is always made hidden (by prepareDisplay, or here) and
// then shown, made again when it has only 16 bits and 32 are chosen. False when GLFW cannot
// start or the window cannot be opened (GLFW is then terminated).
bool openDisplay(int colorDepth, bool fullscreen);

// A hidden 800 x 600 context for tests and benchmarks; no mouse capture.
bool openHiddenDisplay();

// Binds the logical 800 x 600 target: call before drawing a frame.
void beginFrame();

// Closes the window and terminates GLFW.
void closeDisplay();

// The open game window; null when there is none.
GLFWwindow* gameWindow();

// The seam backend over the open window (real clock, keys, mouse, pacing).
seam::Backend& glfwBackend();

} // namespace kalup::display
