#pragma once
// The record file "hiscore.sav": three decimal integers, one per line.
#include <string>

namespace kalup::records {

inline constexpr const char* RECORD_FILE = "hiscore.sav";

extern int classicRecord;
// Kept and written back exactly as read; nothing in the game uses them.
extern int recordSlot2;
extern int recordSlot3;

// The file read and written: RECORD_FILE in the working directory unless
// the game keeps its record somewhere else.
const std::string& recordPath();
void setRecordPath(const std::string& path);

void loadRecords();
// Replaces the file atomically, so a crash never leaves it truncated.
// False when it could not be written; the old file then stays as it was.
bool saveRecords();

} // namespace kalup::records
