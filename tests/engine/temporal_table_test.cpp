// Year 0 and the first years after it against someone else's arithmetic: the lengths of Cheshvan
// and Kislev in Hebrew years 0 ... 10 as ECMAScript's Temporal conformance tests publish them
// (calc-epoch-year-hebrew.js). They are where the postponements of the first years show.

#include <gtest/gtest.h>

#include "engine/hebrew_date.h"
#include "engine/stepwise.h"

namespace engine {
namespace {

TEST(TemporalTable, CheshvanAndKislevOfTheFirstYears)
{
    constexpr int Cheshvan[] = {29, 30, 30, 29, 29, 30, 30, 29, 29, 30, 29};
    constexpr int Kislev[] = {30, 30, 30, 29, 30, 30, 30, 30, 29, 30, 30};
    for (int year = 0; year <= 10; ++year) {
        SCOPED_TRACE(year);
        EXPECT_EQ(HebrewMonthLength(year, 2), Cheshvan[year]);
        EXPECT_EQ(HebrewMonthLength(year, 3), Kislev[year]);
        // The step-by-step definition agrees: the month is as long as the days to the next.
        EXPECT_EQ(stepwise::HebrewToDayNumber(1, 3, year) - stepwise::HebrewToDayNumber(1, 2, year), Cheshvan[year]);
        EXPECT_EQ(stepwise::HebrewToDayNumber(1, 4, year) - stepwise::HebrewToDayNumber(1, 3, year), Kislev[year]);
    }
}

}  // namespace
}  // namespace engine
