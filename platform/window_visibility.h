#pragma once
// Whether the game window is wholly covered by other windows. The X server
// tells only a client that asks for it, and GLFW does not: the reports come
// on a connection of our own, so GLFW's event loop cannot swallow them. A
// compositing window manager draws every window offscreen, and there the
// server calls every window uncovered: the game then draws on as before.
struct GLFWwindow;

namespace kalup::window_visibility {

// Starts watching the window; watching nothing, covered() stays false.
void watch(GLFWwindow* window);
// Takes the reports that arrived and says whether the last was "fully covered".
bool covered();
// Stops watching, before the window is destroyed.
void stop();

} // namespace kalup::window_visibility
