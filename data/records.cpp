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

namespace {

using Values = std::array<int, 3>;

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

Records recordsOf(const Values& values) { return {values[0], values[1], values[2]}; }

// The file as it is now: its values, none when there is no file, or false
// with the reason when it cannot be read.
bool readFileNow(const std::string& recordPath, std::optional<Records>& values, std::string& reason)
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
    values.emplace();
    if (readRecords(bytes, *values))
        return true;
    reason = "it holds something other than three whole numbers";
    return false;
}

} // namespace

std::string lockPath(const std::string& recordPath)
{
    const std::filesystem::path record(recordPath);
    std::string name = record.filename().string();
    name.insert(0, 1, '.');
    name += ".lock";
    return (record.parent_path() / name).string();
}

bool readRecords(std::string_view bytes, Records& values)
{
    const std::optional<Values> read = parsedValues(bytes);
    if (read)
        values = recordsOf(*read);
    return read.has_value();
}

std::string recordText(const Records& values)
{
    // The file's lines end in CR LF, whatever the platform.
    char bytes[3 * 16];
    std::snprintf(bytes, sizeof bytes, "%d\r\n%d\r\n%d\r\n", values.classicRecord, values.recordSlot2,
                  values.recordSlot3);
    return bytes;
}

void loadRecords(RecordFile& file)
{
    file.values = {};
    file.keepUnread = false;
    if (file.path.empty())
        return;
    file_bytes::removeStaleTemporaries(file.path);
    std::optional<Records> values;
    std::string reason;
    file.keepUnread = !readFileNow(file.path, values, reason);
    if (file.keepUnread)
        std::fprintf(stderr, "kalup: cannot read the record %s (%s); it is left as it is and this run saves none\n",
                     file.path.c_str(), reason.c_str());
    else if (values)
        file.values = *values;
}

bool saveRecords(RecordFile& file, std::string& whyNot)
{
    // Reported when it was found unreadable.
    if (file.keepUnread)
        return true;
    if (file.path.empty()) {
        whyNot = "there is no place for it";
        return false;
    }
    const file_bytes::TurnLock lock(lockPath(file.path));
    if (!lock.held()) {
        whyNot = lockPath(file.path) + ": " + lock.reason;
        return false;
    }
    return saveRecordsHoldingLock(file, whyNot);
}

bool saveRecordsHoldingLock(RecordFile& file, std::string& whyNot)
{
    if (file.keepUnread)
        return true;
    // Another copy of the game may have saved since this one started.
    std::optional<Records> onDisk;
    if (!readFileNow(file.path, onDisk, whyNot)) {
        whyNot = file.path + ": " + whyNot + "; it is left as it is";
        return false;
    }
    if (onDisk) {
        file.values.classicRecord = std::max(file.values.classicRecord, onDisk->classicRecord);
        file.values.recordSlot2 = onDisk->recordSlot2;
        file.values.recordSlot3 = onDisk->recordSlot3;
    }
    if (file_bytes::replaceFile(file.path, recordText(file.values), whyNot))
        return true;
    whyNot = file.path + ": " + whyNot;
    return false;
}

} // namespace kalup::records
