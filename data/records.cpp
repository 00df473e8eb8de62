#include "data/records.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/file_bytes.h"

namespace kalup::records {

std::string recordPath = RECORD_FILE;
int classicRecord = 0;
int recordSlot2 = 0;
int recordSlot3 = 0;

namespace {

using Values = std::array<int, 3>;

// Set when the record of this run could not be read: saving over it would
// lose the player's record for the zeros this run started from.
bool keepUnreadRecord = false;

// The white space of a formatted read in the C locale.
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A missing word reads as 0; one that is not a 32-bit decimal integer as nothing.
std::optional<int> wordValue(const std::string& word)
{
    if (word.empty())
        return 0;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || end == word.c_str() || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
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

std::optional<Values> parsedValues(std::string_view bytes)
{
    Values values{};
    std::size_t at = 0;
    for (int& value : values) {
        const std::optional<int> read = wordValue(nextWord(bytes, at));
        if (!read)
            return std::nullopt;
        value = *read;
    }
    return values;
}

void setValues(const Values& values)
{
    classicRecord = values[0];
    recordSlot2 = values[1];
    recordSlot3 = values[2];
}

std::string lockPath()
{
    const std::filesystem::path record(recordPath);
    return (record.parent_path() / ("." + record.filename().string() + ".lock")).string();
}

// The file as it is now: its values, none when there is no file, or false
// with the reason when it cannot be read.
bool readFileNow(std::optional<Values>& values, std::string& reason)
{
    std::string bytes;
    switch (file_bytes::readSmallFile(recordPath.c_str(), bytes, reason)) {
    case file_bytes::Read::Missing:
        values.reset();
        return true;
    case file_bytes::Read::Refused:
        return false;
    case file_bytes::Read::Done:
        break;
    }
    values = parsedValues(bytes);
    if (!values)
        reason = "it holds something other than three whole numbers";
    return values.has_value();
}

} // namespace

bool readRecords(std::string_view bytes)
{
    const std::optional<Values> values = parsedValues(bytes);
    if (values)
        setValues(*values);
    return values.has_value();
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
    classicRecord = recordSlot2 = recordSlot3 = 0;
    keepUnreadRecord = false;
    if (recordPath.empty())
        return;
    file_bytes::removeStaleTemporaries(recordPath);
    std::optional<Values> values;
    std::string reason;
    keepUnreadRecord = !readFileNow(values, reason);
    if (keepUnreadRecord)
        std::fprintf(stderr, "kalup: cannot read the record %s (%s); it is left as it is and this run saves none\n",
                     recordPath.c_str(), reason.c_str());
    else if (values)
        setValues(*values);
}

bool saveRecords(std::string& whyNot)
{
    // Reported when it was found unreadable.
    if (keepUnreadRecord)
        return true;
    if (recordPath.empty()) {
        whyNot = "there is no place for it";
        return false;
    }
    const file_bytes::TurnLock lock(lockPath());
    if (!lock.held()) {
        whyNot = lockPath() + ": " + lock.reason;
        return false;
    }
    // Another copy of the game may have saved since this one started.
    std::optional<Values> onDisk;
    if (!readFileNow(onDisk, whyNot)) {
        whyNot = recordPath + ": " + whyNot + "; it is left as it is";
        return false;
    }
    if (onDisk) {
        classicRecord = std::max(classicRecord, (*onDisk)[0]);
        recordSlot2 = (*onDisk)[1];
        recordSlot3 = (*onDisk)[2];
    }
    if (file_bytes::replaceFile(recordPath, recordText(), whyNot))
        return true;
    whyNot = recordPath + ": " + whyNot;
    return false;
}

} // namespace kalup::records
