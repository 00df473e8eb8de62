#pragma once
// A file read whole into memory, for the game's data files.
#include <string>

namespace kalup::file_bytes {

// Appends every byte of the file to `bytes`; false, with errno set, when the
// file cannot be opened or read to its end.
bool readWhole(const char* path, std::string& bytes);

} // namespace kalup::file_bytes
