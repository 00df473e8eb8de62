#include "platform/places.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/build_facts.h"

namespace kalup::places {

namespace {

namespace fs = std::filesystem;

struct UserBaseFolder {
    const char* variable;
    const char* underHome;
};

// The XDG base directories and their defaults under the home folder.
constexpr UserBaseFolder userBases[] = {
    {"XDG_DATA_HOME", "/.local/share"},
    {"XDG_CONFIG_HOME", "/.config"},
};

} // namespace

bool holdsGameData(const std::string& folder)
{
    std::error_code error;
    const fs::path root(folder);
    for (const char* entry : {"images", "fonts", "sounds", "music"})
        if (!fs::is_directory(root / entry, error))
            return false;
    return fs::is_regular_file(root / "english.xml", error);
}

std::vector<std::string> dataFolderCandidates()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const fs::path folder = executable.parent_path();
    return {folder.string(), (folder / KALUP_DATA_FROM_BINARY).lexically_normal().string()};
}

std::string userFolder(UserBase base)
{
    const UserBaseFolder& where = userBases[static_cast<int>(base)];
    // The variables must hold absolute paths; anything else is ignored.
    const char* variable = std::getenv(where.variable);
    if (variable && variable[0] == '/')
        return std::string(variable) + "/kalup";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return "";
    return std::string(home) + where.underHome + "/kalup";
}

bool makeUserFolder(const std::string& path)
{
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    // From the root down, every folder along the path that is missing is made.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (end == std::string::npos)
            break;
    }
    std::error_code error;
    if (fs::is_directory(path, error))
        return true;
    errno = ENOTDIR;
    return false;
}

bool canWriteIn(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::string workingFolder()
{
    std::error_code error;
    return fs::current_path(error).string();
}

bool enterFolder(const std::string& path) { return ::chdir(path.c_str()) == 0; }

} // namespace kalup::places
