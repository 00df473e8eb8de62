#pragma once
// Cutting texts to a byte budget without splitting a character. The font
// library takes a character's first byte at its word for how many bytes
// follow; a text cut inside a character would make it read past the end.
#include <cstddef>

namespace kalup::utf8 {

// Where a text must end when no more than `limit` of its bytes may be kept:
// `limit` itself when a character ends there, else the start of the
// character the cut would split. The text must hold at least `limit` bytes.
std::size_t cutBefore(const char* text, std::size_t limit);

} // namespace kalup::utf8
