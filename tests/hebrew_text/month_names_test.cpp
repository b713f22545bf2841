#include "hebrew_text/month_names.h"

#include <string>

#include <gtest/gtest.h>

#include "hebrew_text/cp1255.h"

namespace hebrew_text {
namespace {

TEST(MonthNames, CivilNamesByteForByte)
{
    const char* expected[12] = {
        "\xE9\xF0\xE5\xE0\xF8", "\xF4\xE1\xF8\xE5\xE0\xF8", "\xEE\xF8\xF5", "\xE0\xF4\xF8\xE9\xEC",
        "\xEE\xE0\xE9", "\xE9\xE5\xF0\xE9", "\xE9\xE5\xEC\xE9", "\xE0\xE5\xE2\xE5\xF1\xE8",
        "\xF1\xF4\xE8\xEE\xE1\xF8", "\xE0\xE5\xF7\xE8\xE5\xE1\xF8", "\xF0\xE5\xE1\xEE\xE1\xF8",
        "\xE3\xF6\xEE\xE1\xF8",
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(CivilMonthNames[i], expected[i]);
    }
}

TEST(MonthNames, HebrewNamesByteForByte)
{
    const char* expected[12] = {
        "\xFA\xF9\xF8\xE9", "\xE7\xF9\xE5\xEF", "\xEB\xF1\xEC\xE5", "\xE8\xE1\xFA", "\xF9\xE1\xE8",
        "\xE0\xE3\xF8", "\xF0\xE9\xF1\xEF", "\xE0\xE9\xE9\xF8", "\xF1\xE9\xE5\xEF", "\xFA\xEE\xE5\xE6",
        "\xE0\xE1", "\xE0\xEC\xE5\xEC",
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(HebrewMonthNames[i], expected[i]);
    }
    EXPECT_EQ(AdarName, HebrewMonthNames[5]);
}

// The second Adar must differ from every name, so that searching for Adar by its text always
// lands on position 5.
TEST(MonthNames, SecondAdarIsItsOwnText)
{
    EXPECT_EQ(SecondAdarName, std::string("'\xE0\xE3\xF8 \xE1"));
    for (std::string_view name : HebrewMonthNames) {
        EXPECT_NE(SecondAdarName, name);
    }
}

TEST(Cp1255Literal, AsciiAndHebrewLettersMapToTheirBytes)
{
    constexpr Cp1255Literal mixed = u8"a'אב תz";
    EXPECT_EQ(mixed.str(), std::string("a'\xE0\xE1 \xFAz"));
    constexpr Cp1255Literal empty = u8"";
    EXPECT_TRUE(empty.view().empty());
}

}  // namespace
}  // namespace hebrew_text
