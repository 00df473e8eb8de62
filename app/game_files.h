#pragma once
// Where this run reads its assets and keeps its record. Started from a
// folder that holds the assets, the game reads them there and keeps
// "hiscore.sav" beside them, as it always has, unless the player cannot
// write in that folder. Otherwise it reads them from its data folder, found
// from the executable; in both of those cases the record is kept among the
// player's own data files.

#include "data/bests_file.h"
#include "data/records.h"

namespace kalup::game_files {

// The record of this run and where it is kept; this module owns it.
records::RecordFile& recordFile();

// The tables of bests, kept beside the record as "bests.sav".
bests_file::BestsFile& bestsFile();

// Makes the folder that holds the assets the working directory and points
// the record at its place. When there is no such folder, a message box
// names the places looked at and the result is false.
bool findGameFiles();

// Writes the record, and the bests when this run made results, in one turn
// on the record's lock. A record kept among the player's data files gets its
// folder made first; when that or the writing fails, in any layout, the
// reason goes to stderr and the old record stays.
void saveRecord();
// Neither a record nor the player's settings exist yet: the game was never
// played here. Asked before anything is saved.
bool firstStartEver();
// Reads the bests from beside the record, under the record's lock.
void loadBests();

} // namespace kalup::game_files
