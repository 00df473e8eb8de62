// The language reader: any bytes read without a fault; every text stays
// zero-terminated inside its buffer and is valid UTF-8, whatever the file's
// bytes, and a reported missing element leaves the texts as they were.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "data/language.h"
#include "platform/utf8.h"

using namespace kalup::language;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    // Every buffer full to the brim with a mark: a text must end inside it all the same.
    std::memset(texts, 'x', sizeof texts);
    const char* message = readTexts(file.data(), file.size());
    for (const auto& buffer : texts) {
        const void* end = std::memchr(buffer, '\0', TEXT_CAPACITY);
        if (message) {
            if (end || buffer[TEXT_CAPACITY - 1] != 'x')
                std::abort();
            continue;
        }
        if (!end)
            std::abort();
        if (!kalup::utf8::isWellFormed(buffer))
            std::abort();
    }
    return 0;
}
