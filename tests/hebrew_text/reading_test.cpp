// Hebrew dates' words as people and other programs write them: numerals, month names, and the
// marks that come with them.

#include "hebrew_text/reading.h"

#include <string>

#include <gtest/gtest.h>

#include "hebrew_text/encoding.h"
#include "hebrew_text/numerals.h"

namespace hebrew_text {
namespace {

// The value of the letter a number's numeral starts with, below its thousands.
int LeadingLetterValue(int below)
{
    if (below >= 400) {
        return 400;
    }
    if (below >= 100) {
        return below / 100 * 100;
    }
    if (below == 15 || below == 16) {
        return 9;
    }
    return below >= 10 ? below / 10 * 10 : below;
}

TEST(NumeralReading, EveryNumeralTheWindowShowsReadsBack)
{
    for (int day = 1; day <= 30; ++day) {
        std::string text = Cp1255ToUtf8(HebrewNumeral(day));
        EXPECT_EQ(HebrewNumeralValue(text, false), day) << text;
    }
    // And every numeral the command line writes, marks and all.
    for (int value = 1; value <= 6001; ++value) {
        std::string text = HebrewNumeralUtf8(value);
        ASSERT_EQ(HebrewNumeralValue(text, value > 999), value) << text;
    }
    for (int year = 1000; year <= 6000; ++year) {
        std::string text = Cp1255ToUtf8(HebrewNumeral(year));
        ASSERT_EQ(HebrewNumeralValue(text, true), year) << text;
        // Without the apostrophe the first letter counts thousands only before a greater letter;
        // alone it is a year of the sixth thousand, and before a smaller one it is refused.
        std::string bare = text.substr(0, 2) + text.substr(3);
        int below = year % 1000;
        int expected = below == 0 ? 5000 + year / 1000 : year / 1000 < LeadingLetterValue(below) ? year : -1;
        ASSERT_EQ(HebrewNumeralValue(bare, true), expected) << bare;
        // With the Hebrew geresh and a gershayim before the last letter, and with a space after
        // the thousands as some programs write it, made plain.
        if (text.size() > 5) {
            std::string marked = text.substr(0, 2) + "׳" + text.substr(3, text.size() - 5) + "״" +
                                 text.substr(text.size() - 2);
            ASSERT_EQ(HebrewNumeralValue(marked, true), year) << marked;
        }
    }
}

TEST(NumeralReading, AsPeopleWriteThem)
{
    struct Row { const char* text; bool year; int value; const char* note; };
    const Row rows[] = {
        {"ט\"ו", false, 15, "ASCII gershayim"},
        {"ט״ו", false, 15, "Hebrew gershayim"},
        {"ט”ו", false, 15, "right double quotation mark"},
        {"ט“ו", false, 15, "left double quotation mark"},
        {"ה'", false, 5, "a geresh marks a single letter as a number"},
        {"ה׳", false, 5, "Hebrew geresh"},
        {"ה‘", false, 5, "left single quotation mark"},
        {"ה’", false, 5, "right single quotation mark"},
        {"יה", false, 15, "ten and five, as some write it"},
        {"תשפ\"ד", true, 5784, "the sixth thousand is understood"},
        {"ה'תשפ\"ד", true, 5784, "thousands with a geresh"},
        {"ה‘תשפ“ד", true, 5784, "thousands with typographic marks"},
        {"התשפד", true, 5784, "thousands before a greater letter"},
        {"ה'", true, 5000, "the window's 5000"},
        {"ד'תתקצט", true, 4999, "two tav and a qof"},
        {"תרפ״ד", true, 5684, "a tombstone's year"},
        {"ך", false, 20, "final kaf counts as kaf"},
        {"ט\xD6\xBC\xD6\xB0\"ו\xD6\xB9", false, 15, "niqqud among the letters"},
        {"\xE2\x80\x8Fט״ו", false, 15, "a right-to-left mark before it"},
        {"אא", true, -1, "letters out of order are refused, not summed"},
        {"הא", true, -1, "a thousands letter before a smaller one needs its geresh"},
        {"דה", false, -1, "units out of order"},
        {"אב", false, -1, "rising letters outside a year"},
        {"יכ", false, -1, "two tens"},
        {"ככ", false, -1, "a repeated tens letter"},
        {"טה", false, -1, "nine and five is not fifteen"},
        {"תתר", true, -1, "more than 900 in hundreds"},
        {"יק", true, -1, "a tens letter cannot count thousands"},
        {"\"'", false, -1, "marks without letters"},
        {"טו5", false, -1, "a digit among letters"},
        {"ה\xC0\xA7", false, -1, "an overlong apostrophe is no geresh"},
        {"ה\xD7", false, -1, "a letter cut short"},
        {"אאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאאא", true, -1, "far too many letters"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(HebrewNumeralValue(row.text, row.year), row.value) << row.text;
    }
    EXPECT_TRUE(IsThousandsLetter("ה׳"));
    EXPECT_TRUE(IsThousandsLetter("ה'"));
    EXPECT_FALSE(IsThousandsLetter("ה"));
    EXPECT_FALSE(IsThousandsLetter("י'"));
    EXPECT_FALSE(IsThousandsLetter("הא'"));
}

// Every name the month lists show and every other spelling reads as its month, in any case and
// with the marks other programs add; names that are none are refused.
TEST(MonthReading, EverySpellingWithAndWithoutMarks)
{
    for (bool leap : {false, true}) {
        // The Hebrew name of Adar I is Adar's: the same month of the year.
        auto position = [&](std::optional<HebrewMonth> month) { return month ? HebrewMonthPosition(*month, leap) : -1; };
        for (const HebrewMonthEntry& entry : HebrewMonthList(leap)) {
            EXPECT_EQ(HebrewMonthByName(entry.latin), entry.month) << entry.latin;
            EXPECT_EQ(HebrewMonthByName(entry.utf8), entry.month == HebrewMonth::AdarI ? HebrewMonth::AdarI
                                                     : entry.month) << entry.latin;
            EXPECT_EQ(position(HebrewMonthByName(Cp1255ToUtf8(entry.windowText))), position(entry.month)) << entry.latin;
        }
    }
    for (const HebrewMonthSpelling& spelling : OtherMonthSpellings()) {
        std::string upper(spelling.utf8);
        for (char& c : upper) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
        EXPECT_EQ(HebrewMonthByName(upper), spelling.month) << spelling.utf8;
    }
    struct Row { const char* text; HebrewMonth month; };
    const Row rows[] = {
        {"נִיסָן", HebrewMonth::Nisan},          {"אַדָר א׳", HebrewMonth::AdarI},
        {"אַדָר ב׳", HebrewMonth::AdarII},       {"אִיָיר", HebrewMonth::Iyar},
        {"תִשְׁרֵי", HebrewMonth::Tishri},         {"בְּנִיסָן", HebrewMonth::Nisan},
        {"Sh'vat", HebrewMonth::Shevat},        {"Sh’vat", HebrewMonth::Shevat},
        {"adar\xC2\xA0ii", HebrewMonth::AdarII}, {"Adar-Sheni", HebrewMonth::AdarII},
        {"מנחם־אב", HebrewMonth::Av},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HebrewMonthByName(row.text), row.month) << row.text;
    }
    // The last two: a stray lead byte, a mark, and the rest of "ר", which must not join into it.
    for (const char* none : {"Nisn", "", "Adar III", "ב", "1", "Tishri Tishri", "\xD7", "אד\xD7\xD6\xB8\xA8",
                             "אד\xD7'\xA8"}) {
        EXPECT_EQ(HebrewMonthByName(none), std::nullopt) << none;
    }
}

TEST(PlainText, LeavesOutWhatChangesNoLetter)
{
    EXPECT_EQ(PlainText("\xEF\xBB\xBF" "2024-01-01"), "2024-01-01");
    EXPECT_EQ(PlainText("15\xC2\xA0Nisan\xE2\x80\xAF" "5784"), "15 Nisan 5784");
    EXPECT_EQ(PlainText("\xE2\x80\x8E\xD8\x9C\xE2\x80\x8F" "x"), "x");
    EXPECT_EQ(PlainText("ט״ו נִיסָן ה׳ תשפ“ד"), "ט\"ו ניסן ה' תשפ\"ד");
    EXPECT_EQ(PlainText("\xFF\xD7 \x1B"), "\xFF\xD7 \x1B");  // not UTF-8, or not a mark: kept
    // A mark left out between a stray lead byte and a continuation byte joins them into no letter.
    EXPECT_EQ(PlainText("\xD7\xD6\xB4\x94"), "\xD7\xEF\xBF\xBD\x94");
    EXPECT_EQ(PlainText("\xD7\xD6\xB4 "), "\xD7 ");
    EXPECT_TRUE(IsPlain("15 Nisan 5784"));
    EXPECT_TRUE(IsPlain("טו ניסן"));
    EXPECT_FALSE(IsPlain("ט״ו"));
    EXPECT_FALSE(IsPlain("\xC2\xA0"));
}

}  // namespace
}  // namespace hebrew_text
