#pragma once
// What the desktop knows the game by: the windows' class is the application
// id its menu entry and metainfo are named after, so docks and taskbars
// group the windows under that entry and show its icon.

namespace kalup::app_identity {

// The application id, such as "org.example.kalup".
extern const char* const APP_ID;
// The instance half of the windows' class: the program's name.
inline constexpr const char* INSTANCE_NAME = "kalup";

} // namespace kalup::app_identity
