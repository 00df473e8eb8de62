#pragma once
// The game window's hold on the mouse under X. While the window holds it the
// system pointer is hidden and kept inside the window, and the game sees
// only its motion. Without the focus the window lets go, and the game's
// pointer stands where it was until the window holds the mouse again.
struct GLFWwindow;

namespace kalup::pointer_capture {

// The game window holds the mouse from now on, whenever it has the focus.
void holdMouse(GLFWwindow* window);

// Once a frame, after the window's events, with whether it has the focus.
// With the focus, once the pointer rests over the window with no button
// held, the window takes the mouse: a press on its frame, such as on its
// close button, belongs to the window manager. The X server is then asked
// for the grab every frame until it grants it: it refuses while a window
// manager still restores the window when the focus arrives.
void followFocus(GLFWwindow* window, bool focused);

// The game's pointer in window units: the held mouse's, or where it stood
// when the window let go.
void position(GLFWwindow* window, double& x, double& y);
void moveTo(GLFWwindow* window, double x, double y);

} // namespace kalup::pointer_capture
