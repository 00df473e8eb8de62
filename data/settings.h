#pragma once
// The player's settings, kept between runs in the file "settings" of the
// configuration folder: one "name=value" a line. For now only whether the
// game is muted ("mute=on").
#include <string>
#include <string_view>

namespace kalup::settings {

inline constexpr const char* SETTINGS_FILE = "settings";

struct Settings {
    bool muted = false;
};

// A file that is missing, cannot be read or says nothing understood leaves
// the game unmuted; one that exists but cannot be read (a FIFO, a file far
// too large) is reported in one line on stderr.
Settings loadSettings();
// Replaces the file in one step. A file that cannot be written is reported
// in one line on stderr, and the game plays on: false then.
bool saveSettings(const Settings& settings);

// The settings a file's bytes give: the last "mute=on" or "mute=off" line
// decides, its line ending in LF or CR LF; unmuted without one.
Settings readSettings(std::string_view bytes);
// The bytes a save writes.
std::string settingsText(const Settings& settings);

} // namespace kalup::settings
