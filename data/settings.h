#pragma once
// The player's settings, kept between runs in the file "settings" of the
// configuration folder: one "name=value" a line. For now only whether the
// game is muted ("mute=on").

namespace kalup::settings {

inline constexpr const char* SETTINGS_FILE = "settings";

extern bool muted;

// A file that is missing, cannot be read or says nothing understood leaves
// the game unmuted.
void loadSettings();
// Replaces the file in one step. A file that cannot be written is reported
// in one line on stderr, and the game plays on: false then.
bool saveSettings();

} // namespace kalup::settings
