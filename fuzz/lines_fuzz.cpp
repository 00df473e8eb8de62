// The bounded line formatter: a line is the whole text when it fits its
// buffer; otherwise a prefix of it, cut at most one character short of the
// buffer, and valid UTF-8 whenever the whole text is.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/lines.h"
#include "platform/utf8.h"

using namespace kalup::game;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two texts around a number, as the level line puts them; the texts end at a zero byte.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string first = input.substr(0, input.size() / 2).c_str();
    const std::string second = input.substr(input.size() / 2).c_str();
    const std::string whole = first + " 7 " + second;
    const std::string line = composeLine("%s %i %s", first.c_str(), 7, second.c_str()).text;

    if (whole.size() < LINE_CAPACITY) {
        if (line != whole)
            std::abort();
        return 0;
    }
    if (whole.compare(0, line.size(), line) != 0 || line.size() >= LINE_CAPACITY)
        std::abort();
    if (kalup::utf8::isWellFormed(whole) && (!kalup::utf8::isWellFormed(line) || line.size() < LINE_CAPACITY - 4))
        std::abort();
    return 0;
}
