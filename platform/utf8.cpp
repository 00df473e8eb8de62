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

std::size_t wellFormedLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    // The second byte's range rules out overlong forms, surrogates and
    // code points past U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t at = 2; at < length; ++at)
        if ((byte(at) & 0xC0) != 0x80)
            return 0;
    return length;
}

bool isWellFormed(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = wellFormedLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

} // namespace kalup::utf8
