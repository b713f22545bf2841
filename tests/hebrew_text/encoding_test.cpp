// Code page 1255 to and from Unicode, and to UTF-8 in one step.

#include "hebrew_text/encoding.h"

#include <string>

#include <gtest/gtest.h>

namespace hebrew_text {
namespace {

TEST(Cp1255, EveryByteSurvivesTheRoundTripAndLettersAreUnicodeHebrew)
{
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    std::u16string unicode = Cp1255ToUtf16(all);
    ASSERT_EQ(unicode.size(), all.size());
    EXPECT_EQ(Utf16ToCp1255(unicode), all);
    EXPECT_EQ(Cp1255ToUtf16("\xE0\xFA'")[0], u'\u05D0');
    EXPECT_EQ(Cp1255ToUtf16("\xE0\xFA'")[1], u'\u05EA');
    EXPECT_EQ(Cp1255ToUtf16("\xA4")[0], u'\u20AA');  // new sheqel sign
    EXPECT_EQ(Utf16ToCp1255(u"\u05D0\u4E00x"), "\xE0?x");
}

// One, two and three UTF-8 bytes, the private use stand-ins included.
TEST(Cp1255, Utf8OfEachKindOfByte)
{
    EXPECT_EQ(Cp1255ToUtf8("a5 '"), "a5 '");
    EXPECT_EQ(Cp1255ToUtf8("\xE0\xE3\xF8 \xE1'"), "\xD7\x90\xD7\x93\xD7\xA8 \xD7\x91'");  // אדר ב'
    EXPECT_EQ(Cp1255ToUtf8("\xA4\xFE"), "\xE2\x82\xAA\xE2\x80\x8F");  // sheqel sign, right-to-left mark
    EXPECT_EQ(Cp1255ToUtf8("\x81"), "\xEF\x9E\x81");                    // unassigned: U+F781
}

// The marks a day's line is written with come back as the code page's bytes; what the code page
// lacks, and what is no UTF-8, as "?".
TEST(Cp1255, FromUtf8TheDayLinesMarksAndWhatTheCodePageLacks)
{
    EXPECT_EQ(Utf8ToCp1255("ט״ו · א׳ ו־5"), "\xE8\xD8\xE5 \xB7 \xE0\xD7 \xE5\xCE" "5");
    EXPECT_EQ(Utf8ToCp1255("a\xE4\xB8\x80\xF0\x9F\x98\x80\xFF"), "a???");
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToCp1255(Cp1255ToUtf8(all)), all);
}

}  // namespace
}  // namespace hebrew_text
