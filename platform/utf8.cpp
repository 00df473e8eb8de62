#include "platform/utf8.h"

namespace kalup::utf8 {

namespace {

// Bytes a character takes by its first byte, as the font library counts
// them: a byte that cannot start a character counts as one character.
std::size_t characterLength(unsigned char lead)
{
    if (lead >= 0xFC)
        return 6;
    if (lead >= 0xF8)
        return 5;
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

std::size_t cutBefore(const char* text, std::size_t limit)
{
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t next = end + characterLength(static_cast<unsigned char>(text[end]));
        if (next > limit)
            break;
        end = next;
    }
    return end;
}

} // namespace kalup::utf8
