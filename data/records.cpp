#include "data/records.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_bytes.h"

namespace kalup::records {

std::string recordPath = RECORD_FILE;
int classicRecord = 0;
int recordSlot2 = 0;
int recordSlot3 = 0;

namespace {

// mkstemp replaces exactly these six characters.
constexpr std::string_view TEMPORARY_SUFFIX = ".XXXXXX";

// Set when the record of this run could not be read: saving over it would
// lose the player's record for the zeros this run started from.
bool keepUnreadRecord = false;

// The white space of a formatted read in the C locale.
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

int wordValue(const std::string& word)
{
    if (word.empty())
        return 0;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || end == word.c_str() || value < INT_MIN || value > INT_MAX)
        return 0;
    return static_cast<int>(value);
}

// The next word from `at` on, `at` left just past it; "" when none is left.
std::string nextWord(std::string_view bytes, std::size_t& at)
{
    while (at < bytes.size() && isSpace(bytes[at]))
        ++at;
    const std::size_t start = at;
    while (at < bytes.size() && !isSpace(bytes[at]))
        ++at;
    return std::string(bytes.substr(start, at - start));
}

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

bool isTemporaryName(const std::string& name, const std::string& recordName)
{
    if (name.size() != recordName.size() + TEMPORARY_SUFFIX.size() || !name.starts_with(recordName + '.'))
        return false;
    for (std::size_t i = recordName.size() + 1; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// A save killed between creating its temporary file and the rename leaves
// that file behind; the next start or save clears them away.
void removeStaleTemporaries()
{
    namespace fs = std::filesystem;
    if (recordPath.empty())
        return;
    const fs::path record(recordPath);
    const std::string recordName = record.filename().string();
    const fs::path folder = record.has_parent_path() ? record.parent_path() : fs::path(".");
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kindUnknown;
        if (isTemporaryName(it->path().filename().string(), recordName) && it->is_regular_file(kindUnknown))
            ::unlink(it->path().c_str());
    }
}

} // namespace

void readRecords(std::string_view bytes)
{
    std::size_t at = 0;
    int* const values[3] = {&classicRecord, &recordSlot2, &recordSlot3};
    for (int* value : values)
        *value = wordValue(nextWord(bytes, at));
}

std::string recordText()
{
    // The file's lines end in CR LF, whatever the platform.
    char bytes[3 * 16];
    std::snprintf(bytes, sizeof bytes, "%d\r\n%d\r\n%d\r\n", classicRecord, recordSlot2, recordSlot3);
    return bytes;
}

void loadRecords()
{
    removeStaleTemporaries();
    std::string bytes;
    keepUnreadRecord = !file_bytes::readWhole(recordPath.c_str(), bytes) && errno != ENOENT;
    if (keepUnreadRecord) {
        std::fprintf(stderr, "kalup: cannot read the record %s (%s); it is left as it is and this run saves none\n",
                     recordPath.c_str(), std::strerror(errno));
        bytes.clear();
    }
    readRecords(bytes);
}

bool saveRecords()
{
    // Reported when it was found unreadable.
    if (keepUnreadRecord)
        return true;
    removeStaleTemporaries();
    const std::string bytes = recordText();

    // A crash or a full disk must never leave a truncated record: the new
    // content goes to a temporary file beside it, reaches the disk, and only
    // then replaces the old file in one step. Any failure keeps the old one.
    std::string temporary = recordPath + std::string(TEMPORARY_SUFFIX);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    giveUsualPermissions(fd);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), recordPath.c_str()) == 0)
        return true;
    const int error = errno;
    ::unlink(temporary.c_str());
    errno = error;
    return false;
}

} // namespace kalup::records
