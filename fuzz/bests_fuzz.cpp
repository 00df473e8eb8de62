// The bests reader: any bytes are read or refused, a refusal leaving the
// tables as they were; what was read is ordered best first, at most ten a
// table, and saves in a text that reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/bests_file.h"

using namespace kalup;

namespace {

bool wellOrdered(const game::Table& table)
{
    if (table.size() > game::BESTS_PER_TABLE)
        return false;
    for (std::size_t i = 1; i < table.size(); ++i)
        if (game::ranksAbove(table[i], table[i - 1]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    game::Bests bests;
    bests[game::BestsTable::Survival] = {{7, 11}};
    const game::Bests before = bests;
    if (!bests_file::readBests(std::string_view(reinterpret_cast<const char*>(data), size), bests)) {
        if (bests.tables != before.tables)
            std::abort();
        return 0;
    }
    for (const game::Table& table : bests.tables)
        if (!wellOrdered(table))
            std::abort();
    game::Bests again;
    if (!bests_file::readBests(bests_file::bestsText(bests), again) || again.tables != bests.tables)
        std::abort();
    return 0;
}
