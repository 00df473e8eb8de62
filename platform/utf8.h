#pragma once
// UTF-8 texts: cutting them to a byte budget without splitting a character,
// and telling well-formed ones from bytes that only look like characters.
// The font library takes a character's first byte at its word for how many
// bytes follow; a text cut inside a character would make it read past the end.
#include <cstddef>
#include <string_view>

namespace kalup::utf8 {

// Where a text must end when no more than `limit` of its bytes may be kept:
// `limit` itself when a character ends there, else the start of the
// character the cut would split. The text must hold at least `limit` bytes.
std::size_t cutBefore(const char* text, std::size_t limit);

// The bytes of the well-formed character at the start of text (no overlong
// form, no surrogate, nothing past U+10FFFF); 0 when none starts there.
std::size_t wellFormedLength(std::string_view text);
bool isWellFormed(std::string_view text);

} // namespace kalup::utf8
