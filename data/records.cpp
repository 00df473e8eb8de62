#include "data/records.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalup::records {

int classicRecord = 0;
int recordSlot2 = 0;
int recordSlot3 = 0;

namespace {

std::string recordFile = RECORD_FILE;

// A word that is not wholly a decimal integer fitting 32 bits reads as 0.
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

} // namespace

const std::string& recordPath() { return recordFile; }

void setRecordPath(const std::string& path) { recordFile = path; }

void loadRecords()
{
    classicRecord = recordSlot2 = recordSlot3 = 0;
    std::ifstream in(recordFile, std::ios::binary);
    if (!in)
        return;
    // The values are the first three words of the file, whatever white space
    // (spaces, tabs, CR LF or LF) separates them. A value that cannot be read
    // is 0, and the words after it still give theirs; a short file leaves the
    // missing values at 0.
    int* const values[3] = {&classicRecord, &recordSlot2, &recordSlot3};
    for (int* value : values) {
        std::string word;
        in >> word;
        *value = wordValue(word);
    }
}

bool saveRecords()
{
    // The file's lines end in CR LF, whatever the platform.
    char bytes[3 * 16];
    std::snprintf(bytes, sizeof bytes, "%d\r\n%d\r\n%d\r\n", classicRecord, recordSlot2, recordSlot3);

    // A crash or a full disk must never leave a truncated record: the new
    // content goes to a temporary file beside it, reaches the disk, and only
    // then replaces the old file in one step. Any failure keeps the old one.
    std::string temporary = recordFile + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    giveUsualPermissions(fd);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), recordFile.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

} // namespace kalup::records
