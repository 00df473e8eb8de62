#pragma once
// The bests file "bests.sav", beside the record: a first line naming the
// format and its version, then one line per result, its table, its value
// (points, or milliseconds lasted) and its date in seconds since 1970:
//     kalup-bests 1
//     classic 1200 1796659200
//     survival 65400 1796659300
// Saved with the record, in one step and under the record's lock. A file
// that cannot be read is never replaced: it is renamed aside, said on
// stderr, and a new one is started.
#include <cstdint>
#include <string>
#include <string_view>

#include "game/bests.h"

namespace kalup::bests_file {

inline constexpr const char* BESTS_FILE = "bests.sav";

// The bests of a run: where they are kept, the tables as this run knows
// them, and the results this run made that are not yet saved.
struct BestsFile {
    std::string path = BESTS_FILE;
    game::Bests bests;
    game::Bests unsaved;
    // Set when a file that could not be read could not be put aside either:
    // this run then saves none rather than replace it.
    bool keepUnread = false;
};

// Enters the result into its table and among the unsaved ones; its place in
// the table (0 the best), or -1 when it did not enter.
int enterResult(BestsFile& file, game::BestsTable table, const game::Result& result);

// Reads the tables (empty without a file). `now` (seconds since 1970) names
// the copy a damaged file is kept as. The caller holds the record's lock.
void loadBests(BestsFile& file, std::int64_t now);
// Reads the file again, enters this run's unsaved results into what it
// holds, and replaces it in one step. The caller holds the record's lock.
// False, with the reason in words, when it could not be written.
bool saveBests(BestsFile& file, std::int64_t now, std::string& whyNot);

// The tables of a file's bytes; false when they are not a bests file of
// this version (wrong first line, an unknown table, a value or date that is
// not a whole number from 0 up). More than ten results in a table keep the
// best ten.
bool readBests(std::string_view bytes, game::Bests& bests);
// The bytes a save writes.
std::string bestsText(const game::Bests& bests);

} // namespace kalup::bests_file
