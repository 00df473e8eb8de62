#include "data/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_bytes.h"
#include "platform/places.h"

namespace kalup::settings {

namespace {

constexpr std::string_view MUTE_ON = "mute=on";
constexpr std::string_view MUTE_OFF = "mute=off";

std::string settingsPath(const std::string& folder) { return folder + "/" + SETTINGS_FILE; }

bool report(const std::string& where, const std::string& reason)
{
    std::fprintf(stderr, "kalup: the settings could not be saved in %s: %s\n", where.c_str(), reason.c_str());
    return false;
}

} // namespace

Settings readSettings(std::string_view bytes)
{
    Settings settings;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        // A file edited on another system ends its lines in CR LF.
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line == MUTE_ON || line == MUTE_OFF)
            settings.muted = line == MUTE_ON;
    }
    return settings;
}

std::string settingsText(const Settings& settings)
{
    return std::string(settings.muted ? MUTE_ON : MUTE_OFF) + "\n";
}

Settings loadSettings()
{
    const std::string folder = places::userFolder(places::UserBase::Config);
    if (folder.empty())
        return {};
    const std::string path = settingsPath(folder);
    std::string bytes, reason;
    if (file_bytes::readSmallFile(path.c_str(), bytes, reason) == file_bytes::Read::Refused)
        std::fprintf(stderr, "kalup: cannot read the settings %s (%s); the game starts unmuted\n", path.c_str(),
                     reason.c_str());
    return readSettings(bytes);
}

bool saveSettings(const Settings& settings)
{
    const std::string folder = places::userFolder(places::UserBase::Config);
    if (folder.empty())
        return report("a configuration folder", "no home folder is known (HOME is not set)");
    // The player's configuration folder, made (0700) when missing: only a save needs it.
    if (!places::makeUserFolder(folder))
        return report(folder, std::strerror(errno));
    const std::string path = settingsPath(folder);
    std::string reason;
    return file_bytes::replaceFile(path, settingsText(settings), reason) || report(path, reason);
}

} // namespace kalup::settings
