#pragma once
// Whether a font holds the characters of a text: a character without a
// glyph of its own would be drawn as the font's box, or as nothing.
#include <string>
#include <string_view>
#include <vector>

namespace kalup::glyphs {

// The characters of the UTF-8 text, each once, in order of first
// appearance, that the font file has no glyph for; every character when the
// file cannot be opened as a font.
std::vector<char32_t> missingCharacters(const std::string& fontFile, std::string_view text);

// Whether FreeType opens the file as a font.
bool isFont(const std::string& fontFile);

// "U+0456 U+0457" for the report of a font that lacks them.
std::string codePointList(const std::vector<char32_t>& characters);

} // namespace kalup::glyphs
