#include "data/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/places.h"

namespace kalup::settings {

bool muted = false;

namespace {

constexpr const char* MUTE_ON = "mute=on";
constexpr const char* MUTE_OFF = "mute=off";

std::string settingsPath(const std::string& folder) { return folder + "/" + SETTINGS_FILE; }

// The player's configuration folder, made (0700) when missing: only a save
// needs it. One that cannot be made shows when the settings cannot be written.
std::string madeConfigFolder()
{
    const std::string folder = places::userFolder(places::UserBase::Config);
    places::makeUserFolder(folder);
    return folder;
}

bool report(const std::string& where, const char* reason)
{
    std::fprintf(stderr, "kalup: the settings could not be saved in %s: %s\n", where.c_str(), reason);
    return false;
}

} // namespace

void loadSettings()
{
    muted = false;
    const std::string folder = places::userFolder(places::UserBase::Config);
    if (folder.empty())
        return;
    std::ifstream in(settingsPath(folder));
    std::string line;
    while (std::getline(in, line))
        if (line == MUTE_ON)
            muted = true;
}

bool saveSettings()
{
    const std::string folder = madeConfigFolder();
    if (folder.empty())
        return report("a configuration folder", "there is no home folder");
    const std::string path = settingsPath(folder);
    // Written beside the file and moved over it, so it is never left half written.
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "w");
    if (!file)
        return report(path, std::strerror(errno));
    const bool written = std::fprintf(file, "%s\n", muted ? MUTE_ON : MUTE_OFF) > 0;
    const bool closed = std::fclose(file) == 0;
    if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    const int error = errno;
    std::remove(temporary.c_str());
    return report(path, std::strerror(error));
}

} // namespace kalup::settings
