#pragma once
// Where the game's files are on this system: the data folder its assets are
// read from, and the player's own folders for what the game keeps.
#include <string>
#include <vector>

namespace kalup::places {

// True when the folder holds everything the game loads: "images/",
// "fonts/", "sounds/", "music/" and "english.xml".
bool holdsGameData(const std::string& folder);

// The folders a built or installed game may keep its data in, in the order
// they are tried: the executable's own folder (a build folder), then the
// installed data folder relative to it (../share/games/kalup from bin/).
std::vector<std::string> dataFolderCandidates();

// The game's folder among the player's data files ($XDG_DATA_HOME/kalup,
// else ~/.local/share/kalup) or settings ($XDG_CONFIG_HOME/kalup, else
// ~/.config/kalup); "" when not even a home folder is known.
enum class UserBase { Data, Config };
std::string userFolder(UserBase base);

// Creates the folder and any missing parents, each with mode 0700 as the
// player's own folders should be. False, with errno set, when that fails.
bool makeUserFolder(const std::string& path);

// Whether this process may make and replace files in the folder.
bool canWriteIn(const std::string& folder);

std::string workingFolder();
// Makes the folder the working directory; false when it cannot be entered.
bool enterFolder(const std::string& path);

} // namespace kalup::places
