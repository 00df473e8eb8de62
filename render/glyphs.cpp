#include "render/glyphs.h"

#include <algorithm>
#include <cstdio>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/utf8.h"

namespace kalup::glyphs {

namespace {

// The characters of a well-formed UTF-8 text, each once.
std::vector<char32_t> distinctCharacters(std::string_view text)
{
    std::vector<char32_t> characters;
    while (!text.empty()) {
        const std::size_t length = utf8::wellFormedLength(text);
        if (length == 0) {
            text.remove_prefix(1);
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[0]);
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i)
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (std::find(characters.begin(), characters.end(), c) == characters.end())
            characters.push_back(c);
        text.remove_prefix(length);
    }
    return characters;
}

} // namespace

std::vector<char32_t> missingCharacters(const std::string& fontFile, std::string_view text)
{
    std::vector<char32_t> characters = distinctCharacters(text);
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return characters;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) == 0) {
        // Glyph 0 is the font's stand-in for every character it lacks.
        std::erase_if(characters, [face](char32_t c) { return FT_Get_Char_Index(face, c) != 0; });
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return characters;
}

bool isFont(const std::string& fontFile)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    const bool opens = FT_New_Face(library, fontFile.c_str(), 0, &face) == 0;
    if (opens)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
    return opens;
}

std::string codePointList(const std::vector<char32_t>& characters)
{
    std::string list;
    for (const char32_t c : characters) {
        char name[16];
        std::snprintf(name, sizeof name, "%sU+%04X", list.empty() ? "" : " ", static_cast<unsigned>(c));
        list += name;
    }
    return list;
}

} // namespace kalup::glyphs
