// The record reader: any bytes load without a fault or are refused leaving
// the values as they were, and what loaded saves back in the exact format
// (each value in plain decimal and CR LF) and loads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/records.h"

using namespace kalup::records;

namespace {

// One value in the saved format: an optional minus, digits without leading
// zeros, CR LF. Returns false when the text at `at` is not that.
bool readSavedLine(const std::string& text, std::size_t& at, long long& value)
{
    const std::size_t start = at;
    if (at < text.size() && text[at] == '-')
        ++at;
    const std::size_t digits = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    const std::size_t count = at - digits;
    if (count == 0 || count > 10 || (count > 1 && text[digits] == '0') || text.compare(at, 2, "\r\n") != 0)
        return false;
    if (digits > start && count == 1 && text[digits] == '0')
        return false; // "-0"
    value = std::strtoll(text.c_str() + start, nullptr, 10);
    at += 2;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Records values{11, 22, 33};
    if (!readRecords(std::string_view(reinterpret_cast<const char*>(data), size), values)) {
        if (values.classicRecord != 11 || values.recordSlot2 != 22 || values.recordSlot3 != 33)
            std::abort();
        return 0;
    }
    const int loaded[3] = {values.classicRecord, values.recordSlot2, values.recordSlot3};

    const std::string saved = recordText(values);
    std::size_t at = 0;
    for (int value : loaded) {
        long long written = 0;
        if (!readSavedLine(saved, at, written) || written != value)
            std::abort();
    }
    if (at != saved.size())
        std::abort();

    if (!readRecords(saved, values) || values.classicRecord != loaded[0] || values.recordSlot2 != loaded[1]
        || values.recordSlot3 != loaded[2])
        std::abort();
    return 0;
}
