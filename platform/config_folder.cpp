#include "platform/config_folder.h"

#include <cstdlib>

#include <sys/stat.h>

namespace kalup::config_folder {

namespace {

std::string baseFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0')
        return std::string(home) + "/.config";
    return "";
}

// Each missing folder on the way is made in turn; one that cannot be made
// shows later, when the settings cannot be written there.
void makeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
}

} // namespace

std::string configFolder()
{
    const std::string base = baseFolder();
    if (base.empty())
        return "";
    const std::string folder = base + "/kalup";
    makeFolders(folder);
    return folder;
}

} // namespace kalup::config_folder
