#include "game/bests.h"

#include <algorithm>

#include "board/play.h"

namespace kalup::game {

bool tableOfMode(int mode, BestsTable& which)
{
    switch (mode) {
    case play::MODE_CLASSIC:
        which = BestsTable::Classic;
        return true;
    case play::MODE_REMOVE_TWO:
        which = BestsTable::FallingRows;
        return true;
    case play::MODE_SURVIVAL:
        which = BestsTable::Survival;
        return true;
    default:
        return false;
    }
}

bool ranksAbove(const Result& a, const Result& b)
{
    if (a.value != b.value)
        return a.value > b.value;
    return a.date < b.date;
}

int enterResult(Table& table, const Result& result)
{
    // Below every result that ranks above it or equals it: a result made in
    // the same second with the same value came first, so it stays above.
    const auto place = std::find_if(table.begin(), table.end(), [&](const Result& kept) { return ranksAbove(result, kept); });
    const int index = static_cast<int>(place - table.begin());
    if (index >= BESTS_PER_TABLE)
        return -1;
    table.insert(place, result);
    if (table.size() > BESTS_PER_TABLE)
        table.resize(BESTS_PER_TABLE);
    return index;
}

Table mergedTable(Table table, const Table& added)
{
    for (const Result& result : added)
        enterResult(table, result);
    return table;
}

void tidyTable(Table& table)
{
    std::stable_sort(table.begin(), table.end(), ranksAbove);
    if (table.size() > BESTS_PER_TABLE)
        table.resize(BESTS_PER_TABLE);
}

} // namespace kalup::game
