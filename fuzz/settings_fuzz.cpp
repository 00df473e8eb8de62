// The settings reader: any bytes load without a fault, and what loaded saves
// back as one line the reader takes the same way, which saves back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/settings.h"

using namespace kalup::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    readSettings(file);
    const bool loaded = muted;

    const std::string saved = settingsText();
    if (saved != (loaded ? "mute=on\n" : "mute=off\n"))
        std::abort();
    muted = !loaded;
    readSettings(saved);
    if (muted != loaded || settingsText() != saved)
        std::abort();
    // Lines ending in CR LF read the same as the file with LF alone.
    std::string crlf;
    for (const char c : file) {
        if (c == '\n' && (crlf.empty() || crlf.back() != '\r'))
            crlf += '\r';
        crlf += c;
    }
    readSettings(crlf);
    if (muted != loaded)
        std::abort();
    return 0;
}
