#include "platform/file_bytes.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalup::file_bytes {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view TEMPORARY_MARK = ".tmp-";
// mkstemp replaces exactly these six characters with letters and digits.
constexpr std::string_view MKSTEMP_SUFFIX = "XXXXXX";
// A save takes milliseconds; a temporary file this old belongs to none that still runs.
constexpr std::time_t STALE_AFTER_SECONDS = 10 * 60;

std::string limitInWords(std::size_t limit) { return "it is larger than " + std::to_string(limit / 1024) + " KiB"; }

// Closes the descriptor when the guard ends, keeping errno as it was.
class OpenFile {
public:
    explicit OpenFile(int descriptor) : fd(descriptor) {}
    ~OpenFile()
    {
        if (fd < 0)
            return;
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd;
};

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// New files get the usual permissions, as a plain create would give them.
void giveUsualPermissions(int fd)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

// The rename itself reaches the disk only with its folder.
void syncFolder(const fs::path& folder)
{
    const OpenFile dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0)
        ::fsync(dir.fd);
}

fs::path folderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

std::string temporaryPrefix(const fs::path& file)
{
    // Appended piece by piece: GCC 12 warns wrongly of overlapping copies
    // when the optimiser inlines a literal joined to a temporary string.
    std::string prefix = ".";
    prefix += file.filename().string();
    prefix += TEMPORARY_MARK;
    return prefix;
}

bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + MKSTEMP_SUFFIX.size() || !name.starts_with(prefix))
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// The file a save must replace: the target of a symbolic link, else the path.
fs::path replacedFile(const std::string& path)
{
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::canonical(path, error);
    return error ? fs::path(path) : target;
}

} // namespace

Read readSmallFile(const char* path, std::string& bytes, std::string& reason, std::size_t limit)
{
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer forever.
    const OpenFile file(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0) {
        const int error = errno;
        reason = std::strerror(error);
        // ENOTDIR: a file stands where a folder on the way should be; nothing is there either.
        return error == ENOENT || error == ENOTDIR ? Read::Missing : Read::Refused;
    }
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0) {
        reason = errnoReason();
        return Read::Refused;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
        return Read::Refused;
    }
    if (static_cast<unsigned long long>(status.st_size) > limit) {
        reason = limitInWords(limit);
        return Read::Refused;
    }
    std::string read;
    char chunk[4096];
    // One byte past the limit tells a file that grew meanwhile.
    while (read.size() <= limit) {
        const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = errnoReason();
            return Read::Refused;
        }
        if (n == 0)
            break;
        read.append(chunk, static_cast<std::size_t>(n));
    }
    if (read.size() > limit) {
        reason = limitInWords(limit);
        return Read::Refused;
    }
    bytes += read;
    return Read::Done;
}

bool replaceFile(const std::string& path, const std::string& bytes, std::string& reason)
{
    const fs::path file = replacedFile(path);
    struct stat status = {};
    if (::stat(file.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        reason = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
        return false;
    }
    removeStaleTemporaries(file.string());

    // A crash or a full disk must never leave the file truncated: the new
    // content reaches the disk in a file of its own and only then takes the
    // old one's place. Any failure keeps the old one.
    std::string temporary = (folderOf(file) / (temporaryPrefix(file) + std::string(MKSTEMP_SUFFIX))).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = errnoReason();
        return false;
    }
    giveUsualPermissions(fd);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), file.c_str()) == 0) {
        syncFolder(folderOf(file));
        return true;
    }
    reason = std::strerror(written ? errno : writeError);
    ::unlink(temporary.c_str());
    return false;
}

void removeStaleTemporaries(const std::string& path)
{
    if (path.empty())
        return;
    const fs::path file(path);
    const std::string prefix = temporaryPrefix(file);
    const std::time_t now = std::time(nullptr);
    std::error_code error;
    for (fs::directory_iterator it(folderOf(file), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        struct stat status = {};
        if (!isTemporaryName(name, prefix) || ::lstat(it->path().c_str(), &status) != 0)
            continue;
        if (S_ISREG(status.st_mode) && now - status.st_mtime > STALE_AFTER_SECONDS)
            ::unlink(it->path().c_str());
    }
}

TurnLock::TurnLock(const std::string& lockPath)
    : fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600))
{
    struct stat status = {};
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd);
        fd = -1;
        errno = EINVAL;
        reason = "the lock file is not a regular file";
        return;
    }
    // Another copy holds it only for the moment its save takes.
    while (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR)
            continue;
        ::close(fd);
        fd = -1;
    }
    if (fd < 0 && reason.empty())
        reason = errnoReason();
}

TurnLock::~TurnLock()
{
    if (fd >= 0)
        ::close(fd);
}

std::string errnoReason() { return std::strerror(errno); }

} // namespace kalup::file_bytes
