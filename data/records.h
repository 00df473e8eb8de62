#pragma once
// The record file: three decimal integers, one per line.
#include <string>
#include <string_view>

namespace kalup::records {

inline constexpr const char* RECORD_FILE = "hiscore.sav";

// Where the record is kept; a save's temporary file sits beside it in the
// same folder, named after it with mkstemp's six-character suffix.
extern std::string recordPath;

extern int classicRecord;
// Kept and written back exactly as read; nothing in the game uses them.
extern int recordSlot2;
extern int recordSlot3;

// Reads the record (all 0 without one) and removes temporary files that an
// interrupted save left behind. A record that exists but cannot be read is
// reported on stderr and kept: no save of this run replaces it.
void loadRecords();
// Replaces the file atomically, so a crash never leaves it truncated.
// False, with errno set, when it could not be written; the old file then
// stays as it was. A record kept because it could not be read is no failure.
bool saveRecords();

// The values of a record file's bytes: its first three words, whatever white
// space separates them. A word that is not wholly a decimal integer fitting
// 32 bits reads as 0, and so does a missing one.
void readRecords(std::string_view bytes);
// The bytes a save writes: each value and CR LF.
std::string recordText();

} // namespace kalup::records
