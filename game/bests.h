#pragma once
// The tables of bests: for each mode the ten best results of games that
// ended, with the day each was made. Classic and falling rows rank by score,
// survival by the time lasted (in milliseconds). A better result goes above a
// worse one; of two equal results the earlier one stays above.
#include <array>
#include <cstdint>
#include <vector>

namespace kalup::game {

inline constexpr int BESTS_PER_TABLE = 10;

enum class BestsTable { Classic, FallingRows, Survival };
inline constexpr int BESTS_TABLES = 3;

struct Result {
    // Points, or milliseconds lasted.
    std::int64_t value = 0;
    // Seconds since 1970, UTC.
    std::int64_t date = 0;

    bool operator==(const Result&) const = default;
};

// Best first, at most BESTS_PER_TABLE.
using Table = std::vector<Result>;

struct Bests {
    std::array<Table, BESTS_TABLES> tables;

    Table& operator[](BestsTable which) { return tables[static_cast<std::size_t>(which)]; }
    const Table& operator[](BestsTable which) const { return tables[static_cast<std::size_t>(which)]; }
};

// The table of a game mode (play::MODE_...); false for a mode with none.
bool tableOfMode(int mode, BestsTable& which);

// Whether `a` ranks above `b`: a higher value, or the same value made earlier.
bool ranksAbove(const Result& a, const Result& b);

// Puts the result into its place in the table, which then keeps its ten
// best. The place it took (0 is the best), or -1 when it did not enter:
// a table of ten results all at least as good keeps them.
int enterResult(Table& table, const Result& result);

// The table with `added` entered one by one into it: what another copy of
// the game saved meanwhile plus what this one made since.
Table mergedTable(Table table, const Table& added);

// Orders a table read from anywhere and cuts it to ten.
void tidyTable(Table& table);

} // namespace kalup::game
