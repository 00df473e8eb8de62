// The tables of bests: where a result enters, what falls out, and how the
// tables of two copies of the game come together.
#include <gtest/gtest.h>

#include "board/play.h"
#include "game/bests.h"

using namespace kalup;
using game::Result;
using game::Table;

namespace {

// Results made one a day, in the order given.
Table madeInOrder(std::initializer_list<std::int64_t> values)
{
    Table table;
    std::int64_t date = 1000;
    for (std::int64_t value : values)
        game::enterResult(table, {value, date += 86400});
    return table;
}

std::vector<std::int64_t> valuesOf(const Table& table)
{
    std::vector<std::int64_t> values;
    for (const Result& result : table)
        values.push_back(result.value);
    return values;
}

} // namespace

TEST(Bests, EachModeHasItsTable)
{
    game::BestsTable which{};
    ASSERT_TRUE(game::tableOfMode(play::MODE_CLASSIC, which));
    EXPECT_EQ(which, game::BestsTable::Classic);
    ASSERT_TRUE(game::tableOfMode(play::MODE_REMOVE_TWO, which));
    EXPECT_EQ(which, game::BestsTable::FallingRows);
    ASSERT_TRUE(game::tableOfMode(play::MODE_SURVIVAL, which));
    EXPECT_EQ(which, game::BestsTable::Survival);
    EXPECT_FALSE(game::tableOfMode(1, which));
}

TEST(Bests, AResultTakesItsPlaceBestFirstAndTheTableKeepsTen)
{
    Table table = madeInOrder({50, 300, 120, 10, 90});
    EXPECT_EQ(valuesOf(table), (std::vector<std::int64_t>{300, 120, 90, 50, 10}));
    EXPECT_EQ(game::enterResult(table, {200, 99999999}), 1);
    EXPECT_EQ(game::enterResult(table, {1000, 99999999}), 0);
    for (std::int64_t value : {5, 6, 7, 8})
        game::enterResult(table, {value, 99999999});
    EXPECT_EQ(table.size(), 10u);
    EXPECT_EQ(valuesOf(table), (std::vector<std::int64_t>{1000, 300, 200, 120, 90, 50, 10, 8, 7, 6}));
    // Worse than the tenth: it does not enter; better: the tenth falls out.
    EXPECT_EQ(game::enterResult(table, {4, 99999999}), -1);
    EXPECT_EQ(game::enterResult(table, {9, 99999999}), 7);
    EXPECT_EQ(valuesOf(table).back(), 7);
    EXPECT_EQ(table.size(), 10u);
}

TEST(Bests, OfEqualResultsTheEarlierStaysAbove)
{
    Table table;
    game::enterResult(table, {100, 5000});
    EXPECT_EQ(game::enterResult(table, {100, 6000}), 1) << "a later equal result goes below";
    EXPECT_EQ(game::enterResult(table, {100, 6000}), 2) << "so does one made in the same second";
    EXPECT_EQ(table[0].date, 5000);
    // A full table of equal results keeps them all: the new equal one is out.
    Table full = madeInOrder({7, 7, 7, 7, 7, 7, 7, 7, 7, 7});
    EXPECT_EQ(game::enterResult(full, {7, 99999999}), -1);
    EXPECT_EQ(full.back().date, 1000 + 10 * 86400);
    // Read from a file in any order, the earlier of equals is put first.
    Table read = {{100, 9000}, {300, 8000}, {100, 2000}};
    game::tidyTable(read);
    EXPECT_EQ(read, (Table{{300, 8000}, {100, 2000}, {100, 9000}}));
}

TEST(Bests, TheDateOfEachResultIsKeptWithIt)
{
    Table table;
    game::enterResult(table, {40, 1796659200});
    game::enterResult(table, {80, 1796745600});
    EXPECT_EQ(table, (Table{{80, 1796745600}, {40, 1796659200}}));
}

TEST(Bests, TwoCopiesOfTheGameMergeTheirResults)
{
    // Both started from the same file; the other saved first.
    const Table atStart = madeInOrder({500, 400, 300});
    Table savedByTheOther = atStart;
    game::enterResult(savedByTheOther, {450, 9000000});
    const Table madeHere = {{350, 9000100}, {600, 9000200}};
    const Table merged = game::mergedTable(savedByTheOther, madeHere);
    EXPECT_EQ(valuesOf(merged), (std::vector<std::int64_t>{600, 500, 450, 400, 350, 300}));
    // Merged into a full table, only what ranks among the ten stays.
    const Table full = madeInOrder({90, 80, 70, 60, 50, 40, 30, 20, 10, 5});
    EXPECT_EQ(valuesOf(game::mergedTable(full, {{1, 1}, {85, 9000000}})),
        (std::vector<std::int64_t>{90, 85, 80, 70, 60, 50, 40, 30, 20, 10}));
}
