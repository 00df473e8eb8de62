#pragma once
// Where the player's settings live: the XDG configuration folder.
#include <string>

namespace kalup::config_folder {

// $XDG_CONFIG_HOME/kalup, or ~/.config/kalup when that variable is unset,
// empty or not an absolute path. The folders that are missing are created,
// readable by the player alone (0700). "" when there is no home folder.
std::string configFolder();

} // namespace kalup::config_folder
