#pragma once
// A window that is made hidden and shown full screen later. Shown as it
// was made, a window manager would first frame and place it as a window and
// only then, on the request that follows, take the frame away and cover the
// screen: the player would see a framed window flash by.
struct GLFWwindow;

namespace kalup::full_screen_start {

// Marks the hidden window full screen, as a window manager reads it when
// the window is first shown; call before showing it. Without a window
// manager the mark is read by nobody and does no harm.
void markFullScreen(GLFWwindow* window);

} // namespace kalup::full_screen_start
