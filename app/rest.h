#pragma once
// A game left in the background costs next to nothing. While the window
// cannot be seen, nothing is drawn; while a round stands paused, its still
// picture is drawn again only when it changes. Between such frames the game
// sleeps until the window has news, the keys still answer, and a quit signal
// or the close box still ends it at once.

namespace kalup::rest {

// The longest sleep between two looks at the keys and the quit signals.
inline constexpr double LONGEST_REST = 0.1;

// Whether this frame is to be drawn, once the keys and the pause are
// followed. A running round always is: its rules go frame by frame. The
// menu is drawn while it can be seen, focus or not, as it never stands
// still; a paused round when it comes into view, when its picture was lost,
// when the pointer moves, and on the pause's first frame.
bool frameWanted(bool roundRuns, bool paused);

} // namespace kalup::rest
