#pragma once
// The record file: three decimal integers, one per line.
#include <string>
#include <string_view>

namespace kalup::records {

inline constexpr const char* RECORD_FILE = "hiscore.sav";

// The three values of a record file.
struct Records {
    int classicRecord = 0;
    // Kept and written back as the file holds them; nothing in the game uses them.
    int recordSlot2 = 0;
    int recordSlot3 = 0;
};

// The record of a run: where it is kept, its values, and whether the file
// must be left as it is.
struct RecordFile {
    // Saves take turns on the lock file beside it (".hiscore.sav.lock"), and
    // write a hidden temporary file beside it.
    std::string path = RECORD_FILE;
    Records values;
    // Set when the record of this run could not be read: saving over it would
    // lose the player's record for the zeros this run started from.
    bool keepUnread = false;
};

// Reads the record (all 0 without one). A record that exists but cannot be
// read (a value that is not a 32-bit decimal integer, a FIFO, a file far too
// large) is reported on stderr and kept: no save of this run replaces it.
void loadRecords(RecordFile& file);
// Replaces the file atomically, so a crash never leaves it truncated. Under
// the lock it reads the file again, for another copy of the game may have
// saved meanwhile: the larger classic record is written, and slots 2 and 3
// as the file holds them. False, with the reason in words in `whyNot`, when
// it could not be written; the old file then stays as it was. A record kept
// because it could not be read is no failure.
bool saveRecords(RecordFile& file, std::string& whyNot);

// The same, for a caller that holds the lock already (and has checked the path).
bool saveRecordsHoldingLock(RecordFile& file, std::string& whyNot);
// The lock file that saves of the record, and of what is kept beside it, take turns on.
std::string lockPath(const std::string& recordPath);

// The values of a record file's bytes: its first three words, whatever white
// space separates them; a missing one reads as 0. False, the values left as
// they were, when a word is not wholly a decimal integer fitting 32 bits.
bool readRecords(std::string_view bytes, Records& values);
// The bytes a save writes: each value and CR LF.
std::string recordText(const Records& values);

} // namespace kalup::records
