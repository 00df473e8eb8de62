#include "data/bests_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/file_bytes.h"

namespace kalup::bests_file {

namespace {

constexpr std::string_view FIRST_LINE = "kalup-bests 1";
constexpr const char* TABLE_NAMES[game::BESTS_TABLES] = {"classic", "falling-rows", "survival"};

std::optional<int> tableNamed(std::string_view name)
{
    for (int i = 0; i < game::BESTS_TABLES; ++i)
        if (name == TABLE_NAMES[i])
            return i;
    return std::nullopt;
}

// A whole number from 0 up, digits only.
std::optional<std::int64_t> wholeNumber(std::string_view word)
{
    if (word.empty() || word.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The next line without its LF or CR LF; false past the end.
bool nextLine(std::string_view bytes, std::size_t& at, std::string_view& line)
{
    if (at >= bytes.size())
        return false;
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos)
        end = bytes.size();
    line = bytes.substr(at, end - at);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    at = end + 1;
    return true;
}

// "table value date", one space between.
bool readResultLine(std::string_view line, game::Bests& bests)
{
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos)
        return false;
    const std::optional<int> table = tableNamed(line.substr(0, first));
    const std::optional<std::int64_t> value = wholeNumber(line.substr(first + 1, second - first - 1));
    const std::optional<std::int64_t> date = wholeNumber(line.substr(second + 1));
    if (!table || !value || !date)
        return false;
    bests.tables[static_cast<std::size_t>(*table)].push_back({*value, *date});
    return true;
}

enum class OnDisk { Missing, Read, Damaged };

OnDisk readFileNow(const std::string& path, game::Bests& bests, std::string& reason)
{
    std::string bytes;
    switch (file_bytes::readSmallFile(path.c_str(), bytes, reason)) {
    case file_bytes::Read::Missing:
        return OnDisk::Missing;
    case file_bytes::Read::Refused:
        return OnDisk::Damaged;
    case file_bytes::Read::Done:
        break;
    }
    if (readBests(bytes, bests))
        return OnDisk::Read;
    reason = "it is not a bests file of this version";
    return OnDisk::Damaged;
}

// Renames the damaged file aside, so the player keeps it; false when it
// could not be, the reason in `reason`.
bool keepAside(const std::string& path, std::int64_t now, const std::string& why, std::string& reason)
{
    const std::string aside = path + ".damaged-" + std::to_string(now);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        reason = std::strerror(errno);
        std::fprintf(stderr, "kalup: cannot read the bests %s (%s) nor keep it aside (%s); this run saves none\n",
            path.c_str(), why.c_str(), reason.c_str());
        return false;
    }
    std::fprintf(stderr, "kalup: cannot read the bests %s (%s); it is kept as %s and new tables are started\n",
        path.c_str(), why.c_str(), aside.c_str());
    return true;
}

// The tables on disk now, a damaged file put aside; false when it is
// damaged and could not be put aside.
bool readOrPutAside(const std::string& path, std::int64_t now, game::Bests& bests, std::string& reason)
{
    bests = {};
    std::string why;
    if (readFileNow(path, bests, why) != OnDisk::Damaged)
        return true;
    bests = {};
    return keepAside(path, now, why, reason);
}

} // namespace

int enterResult(BestsFile& file, game::BestsTable table, const game::Result& result)
{
    file.unsaved[table].push_back(result);
    return game::enterResult(file.bests[table], result);
}

void loadBests(BestsFile& file, std::int64_t now)
{
    file.bests = {};
    file.unsaved = {};
    file.keepUnread = false;
    if (file.path.empty())
        return;
    file_bytes::removeStaleTemporaries(file.path);
    std::string reason;
    file.keepUnread = !readOrPutAside(file.path, now, file.bests, reason);
}

bool saveBests(BestsFile& file, std::int64_t now, std::string& whyNot)
{
    // Reported when it was found unreadable.
    if (file.keepUnread)
        return true;
    if (file.path.empty()) {
        whyNot = "there is no place for them";
        return false;
    }
    // Another copy of the game may have saved since this one started.
    game::Bests onDisk;
    if (!readOrPutAside(file.path, now, onDisk, whyNot)) {
        whyNot = file.path + ": " + whyNot + "; it is left as it is";
        return false;
    }
    game::Bests merged;
    for (int i = 0; i < game::BESTS_TABLES; ++i)
        merged.tables[static_cast<std::size_t>(i)] =
            game::mergedTable(onDisk.tables[static_cast<std::size_t>(i)], file.unsaved.tables[static_cast<std::size_t>(i)]);
    if (!file_bytes::replaceFile(file.path, bestsText(merged), whyNot)) {
        whyNot = file.path + ": " + whyNot;
        return false;
    }
    file.bests = merged;
    file.unsaved = {};
    return true;
}

bool readBests(std::string_view bytes, game::Bests& bests)
{
    game::Bests read;
    std::size_t at = 0;
    std::string_view line;
    if (!nextLine(bytes, at, line) || line != FIRST_LINE)
        return false;
    while (nextLine(bytes, at, line))
        if (!line.empty() && !readResultLine(line, read))
            return false;
    for (game::Table& table : read.tables)
        game::tidyTable(table);
    bests = read;
    return true;
}

std::string bestsText(const game::Bests& bests)
{
    std::string text(FIRST_LINE);
    text += '\n';
    for (int i = 0; i < game::BESTS_TABLES; ++i)
        for (const game::Result& result : bests.tables[static_cast<std::size_t>(i)]) {
            text += TABLE_NAMES[i];
            text += ' ';
            text += std::to_string(result.value);
            text += ' ';
            text += std::to_string(result.date);
            text += '\n';
        }
    return text;
}

} // namespace kalup::bests_file
