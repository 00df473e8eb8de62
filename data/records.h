#pragma once
// The record file "hiscore.sav": three decimal integers, one per line.

namespace kalup::records {

inline constexpr const char* RECORD_FILE = "hiscore.sav";

extern int classicRecord;
// Kept and written back exactly as read; nothing in the game uses them.
extern int recordSlot2;
extern int recordSlot3;

void loadRecords();
// Replaces the file atomically, so a crash never leaves it truncated.
void saveRecords();

} // namespace kalup::records
