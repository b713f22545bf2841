#include "hebrew_text/numerals.h"

#include <set>
#include <utility>
#include <string>

#include <gtest/gtest.h>

#include "hebrew_text/encoding.h"

namespace hebrew_text {
namespace {

// Expected texts are written as bytes, so a mistake in the compile-time conversion of the
// program's literals cannot hide behind the same mistake here.
TEST(HebrewNumeral, TellingValuesByteForByte)
{
    struct Row { double value; const char* bytes; };
    const Row rows[] = {
        {0, ""},
        {1, "\xE0"},
        {10, "\xE9"},
        {11, "\xE9\xE0"},
        {15, "\xE8\xE5"},
        {16, "\xE8\xE6"},
        {19, "\xE9\xE8"},
        {25, "\xEB\xE4"},
        {26, "\xEB\xE5"},
        {30, "\xEC"},
        {100, "\xF7"},
        {115, "\xF7\xE8\xE5"},
        {270, "\xF8\xF2"},
        {275, "\xF8\xF2\xE4"},
        {304, "\xF9\xE3"},
        {344, "\xF9\xEE\xE3"},
        {500, "\xFA\xF7"},
        {744, "\xFA\xF9\xEE\xE3"},
        {770, "\xFA\xF9\xF2"},
        {999, "\xFA\xFA\xF7\xF6\xE8"},
        {1000, "\xE0'"},
        {1015, "\xE0'\xE8\xE5"},
        {1911, "\xE0'\xFA\xFA\xF7\xE9\xE0"},
        {5000, "\xE4'"},
        {5015, "\xE4'\xE8\xE5"},
        {5715, "\xE4'\xFA\xF9\xE8\xE5"},
        {5716, "\xE4'\xFA\xF9\xE8\xE6"},
        {5765, "\xE4'\xFA\xF9\xF1\xE4"},
        {5770, "\xE4'\xFA\xF9\xF2"},
        {5784, "\xE4'\xFA\xF9\xF4\xE3"},
        {5999, "\xE4'\xFA\xFA\xF7\xF6\xE8"},
        {6000, "\xE5'"},
        {10000, "\xE9'"},
        {23000, "'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(HebrewNumeral(row.value), row.bytes);
    }
}

TEST(HebrewNumeral, TheThirtyDayTexts)
{
    const char* days[30] = {
        "\xE0", "\xE1", "\xE2", "\xE3", "\xE4", "\xE5", "\xE6", "\xE7", "\xE8", "\xE9",
        "\xE9\xE0", "\xE9\xE1", "\xE9\xE2", "\xE9\xE3", "\xE8\xE5", "\xE8\xE6", "\xE9\xE6", "\xE9\xE7",
        "\xE9\xE8", "\xEB", "\xEB\xE0", "\xEB\xE1", "\xEB\xE2", "\xEB\xE3", "\xEB\xE4", "\xEB\xE5",
        "\xEB\xE6", "\xEB\xE7", "\xEB\xE8", "\xEC",
    };
    for (int day = 1; day <= 30; ++day) {
        SCOPED_TRACE(day);
        EXPECT_EQ(HebrewNumeral(day), days[day - 1]);
    }
}

// Every year item must be told apart, and every text is letters with at most one mark, which
// comes right after the thousands letter.
TEST(HebrewNumeral, EveryYearTextIsDistinctAndWellFormed)
{
    std::set<std::string> seen;
    for (int year = 0; year <= 6000; ++year) {
        SCOPED_TRACE(year);
        std::string text = HebrewNumeral(year);
        EXPECT_TRUE(seen.insert(text).second);
        EXPECT_LE(text.size(), 7u);
        std::size_t mark = text.find('\'');
        EXPECT_EQ(mark == std::string::npos ? 0 : 1, year > 999 ? 1 : 0);
        if (year > 999) {
            EXPECT_EQ(mark, 1u);
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            unsigned char byte = static_cast<unsigned char>(text[i]);
            if (i != mark) {
                EXPECT_TRUE(byte >= 0xE0 && byte <= 0xFA);
                EXPECT_TRUE(byte != 0xEA && byte != 0xED && byte != 0xEF && byte != 0xF3 && byte != 0xF5)
                    << "final letter forms never occur";
            }
        }
    }
    EXPECT_EQ(seen.size(), 6001u);
}

// The command line's numerals are the window's letters with the marks in their places: a geresh
// after the thousands letter and after a single letter, a gershayim before the last of several.
TEST(HebrewNumeralUtf8, EveryValueIsTheWindowsLettersMarked)
{
    const std::string geresh = "׳";
    const std::string gershayim = "״";
    for (int value = 1; value <= 6001; ++value) {
        SCOPED_TRACE(value);
        std::string window = Cp1255ToUtf8(HebrewNumeral(value));  // two bytes a letter, and '
        std::string thousands = value > 999 ? window.substr(0, 2) + geresh : "";
        std::string letters = window.substr(value > 999 ? 3 : 0);
        std::string rest = letters.size() == 2 ? letters + geresh
                           : letters.empty()   ? ""
                                               : letters.substr(0, letters.size() - 2) + gershayim +
                                                   letters.substr(letters.size() - 2);
        EXPECT_EQ(HebrewNumeralUtf8(value), thousands + rest);
    }
    const std::pair<int, std::string_view> telling[] = {
        {0, ""}, {-5, ""}, {1, "א׳"}, {15, "ט״ו"}, {30, "ל׳"}, {5000, "ה׳"}, {5100, "ה׳ק׳"}, {5784, "ה׳תשפ״ד"},
    };
    for (const auto& [value, text] : telling) {
        SCOPED_TRACE(value);
        EXPECT_EQ(HebrewNumeralUtf8(value), text);
    }
}

TEST(LetterTables, OnlyWholeKeysInRangeFindALetter)
{
    EXPECT_EQ(AlphabetLetter(1), "\xE0");
    EXPECT_EQ(AlphabetLetter(22), "\xFA");
    EXPECT_EQ(TensLetter(9), "\xF6");
    EXPECT_EQ(HundredsLetters(9), "\xFA\xFA\xF7");
    for (double key : {0.0, -1.0, 0.5, 23.0}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(AlphabetLetter(key), "");
    }
    for (double key : {0.0, -1.0, 1.5, 10.0}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(TensLetter(key), "");
        EXPECT_EQ(HundredsLetters(key), "");
    }
}

}  // namespace
}  // namespace hebrew_text
