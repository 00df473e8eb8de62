#pragma once
// The game's small data files (the record, the settings, the language file):
// read whole but never more than a limit, never blocking on a FIFO or a
// device, and replaced in one step.
#include <cstddef>
#include <string>

namespace kalup::file_bytes {

// Far more than any record, settings or language file of the game holds.
inline constexpr std::size_t SIZE_LIMIT = 256 * 1024;

enum class Read { Done, Missing, Refused };

// Appends the whole file to `bytes`. Missing when nothing is at the path.
// Refused, with the reason in words in `reason`, when it cannot be opened or
// read, is not a regular file (a FIFO, a device, a folder) or holds more
// than `limit` bytes; `bytes` then holds nothing of it.
Read readSmallFile(const char* path, std::string& bytes, std::string& reason, std::size_t limit = SIZE_LIMIT);

// Replaces the file with `bytes` in one step: they go to a fresh hidden file
// beside it (".NAME.tmp-XXXXXX", made with O_EXCL, so never through a link
// someone left), reach the disk, and are renamed over it. A symbolic link at
// the path is followed, so the file it names is replaced. Something other
// than a regular file at the path is refused. False, with the reason in
// words in `reason`, when the file could not be replaced: it then stays as
// it was and no temporary file is left.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& reason);

// Removes the temporary files that a save killed before its rename left
// beside the file: only names of that pattern, only regular files, and only
// ones older than a running save could be.
void removeStaleTemporaries(const std::string& path);

// Several copies of the game take turns on a file through an exclusive lock
// on a lock file beside it, made when missing and never removed (a removed
// one could be locked by two at once). The lock is held until the guard
// ends; without it (the folder cannot be written), held() is false and
// `reason` says why.
class TurnLock {
public:
    explicit TurnLock(const std::string& lockPath);
    ~TurnLock();
    TurnLock(const TurnLock&) = delete;
    TurnLock& operator=(const TurnLock&) = delete;
    bool held() const { return fd >= 0; }
    std::string reason;

private:
    int fd;
};

// The reason in words of the last failed call that set errno.
std::string errnoReason();

} // namespace kalup::file_bytes
