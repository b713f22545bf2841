#include "cli/date_input.h"

#include <string>

#include <gtest/gtest.h>

#include "cli/writer.h"
#include "engine/hebrew_date.h"

namespace cli {
namespace {

constexpr CivilLabel Today{2026, 12, 8};

Day Hebrew(int day, int position, int year)
{
    return static_cast<Day>(engine::HebrewToDayNumber(day, position, year));
}

ReadResult Read(std::string_view text, bool carry = false, CivilCalendar calendar = CivilCalendar::Window())
{
    return DateReader(calendar, carry, Today).Read(text);
}

// Each spelling in a leap year (5784) and a common year (5785), by the position it must reach.
TEST(DateInput, MonthSpellings)
{
    struct Row { const char* month; int leapPosition, commonPosition; };
    const Row rows[] = {
        {"Tishri", 1, 1},     {"TISHREI", 1, 1},      {"heshvan", 2, 2},     {"Cheshvan", 2, 2},
        {"Marcheshvan", 2, 2}, {"Kislev", 3, 3},      {"Tevet", 4, 4},       {"Teves", 4, 4},
        {"Shevat", 5, 5},     {"Shvat", 5, 5},        {"Sh'vat", 5, 5},      {"Adar", 6, 6},
        {"Adar I", 6, 6},     {"adar 1", 6, 6},       {"Adar   II", 7, 0},   {"ADAR 2", 7, 0},
        {"Nisan", 8, 7},      {"Iyar", 9, 8},         {"Sivan", 10, 9},      {"Tammuz", 11, 10},
        {"Tamuz", 11, 10},    {"Av", 12, 11},         {"Elul", 13, 12},
        {"תשרי", 1, 1},       {"חשון", 2, 2},         {"מרחשוון", 2, 2},     {"כסלו", 3, 3},
        {"טבת", 4, 4},        {"שבט", 5, 5},          {"אדר", 6, 6},         {"אדר א׳", 6, 6},
        {"'אדר ב", 7, 0},     {"אדר ב'", 7, 0},       {"אדר ב׳", 7, 0},      {"ניסן", 8, 7},
        {"בניסן", 8, 7},      {"אייר", 9, 8},         {"סיון", 10, 9},       {"תמוז", 11, 10},
        {"אב", 12, 11},       {"אלול", 13, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.month);
        ReadResult leap = Read(std::string("10 ") + row.month + " 5784");
        EXPECT_TRUE(leap.ok) << leap.error;
        EXPECT_EQ(leap.day, Hebrew(10, row.leapPosition, 5784));
        ReadResult common = Read(std::string("10 ") + row.month + " 5785");
        EXPECT_EQ(common.ok, row.commonPosition != 0) << common.error;
        if (row.commonPosition != 0) {
            EXPECT_EQ(common.day, Hebrew(10, row.commonPosition, 5785));
        }
    }
}

// The Adar rule, stated in --help and the manual: "Adar" in a leap year is Adar I, "Adar I" in a
// common year is Adar, "Adar II" in a common year is refused, or with --carry is the month after
// Adar.
TEST(DateInput, TheAdarRule)
{
    EXPECT_EQ(Read("14 Adar 5784").day, Read("14 Adar I 5784").day);
    EXPECT_EQ(Read("14 Adar I 5783").day, Read("14 Adar 5783").day);
    ReadResult refused = Read("14 Adar II 5783");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, "5783 is a common year with a single Adar, so it has no Adar II "
                             "(--carry counts it on into the next month)");
    EXPECT_EQ(Read("14 Adar II 5783", true).day, Read("14 Nisan 5783").day);
    EXPECT_EQ(Read("14 Adar II 5784").day, Read("2024-03-24").day);  // Purim 2024
}

// Every ISO date of the range is read in the walk over all days; here the looser forms and today.
TEST(DateInput, LooseCivilFormsAndToday)
{
    EXPECT_EQ(Read("  2024-4-3\r").day, Read("2024-04-03").day);
    EXPECT_EQ(Read("+2024-04-23").day, Read("2024-04-23").day);
    EXPECT_EQ(Read("TODAY").day, Read("2026-12-08").day);
    // Today is the clock's Gregorian date, whatever calendar writes it.
    EXPECT_EQ(Read("today", false, CivilCalendar::Julian()).day, GregorianToDay(Today));
}

// What other programs and people paste: niqqud and cantillation, every geresh and gershayim, a
// thousands letter standing apart, direction marks, non-breaking spaces and a byte-order mark.
TEST(DateInput, HebrewAsOtherProgramsWriteIt)
{
    Day passover = Read("2024-04-23").day;
    for (const char* text : {"ט״ו נִיסָן ה׳ תשפ״ד", "טו נִיסָן תשפד", "ט“ו ניסן תשפ“ד", "ט‘ו ניסן ה‘תשפ”ד",
                             "\xE2\x80\x8Fט״ו ניסן תשפ״ד\xE2\x80\x8F", "15\xC2\xA0Nisan\xC2\xA0" "5784",
                             "\xEF\xBB\xBF" "15 Nisan 5784", "ט״ו בְּנִיסָן ה׳ תשפ״ד", "טו֑ ניסן תשפד",
                             "15 \xD8\x9CNissan 5784", "15 NISAN 5784"}) {
        ReadResult result = Read(text);
        EXPECT_TRUE(result.ok) << text << ": " << result.error;
        EXPECT_EQ(result.day, passover) << text;
    }
    EXPECT_EQ(Read("\xEF\xBB\xBF" "2024-04-23").day, passover);
    // A single letter with a geresh before the year is the year's thousands, unless it ends the
    // month's name: Adar II ("אדר ב׳") stays Adar II.
    EXPECT_EQ(Read("י״ד אַדָר ב׳ ה׳ תשפ״ד").day, Read("14 Adar II 5784").day);
    EXPECT_EQ(Read("י״ד אַדָר ב׳ תשפ״ד").day, Read("14 Adar II 5784").day);
    EXPECT_EQ(Read("י״ד אַדָר א׳ תשפ״ד").day, Read("14 Adar I 5784").day);
    EXPECT_EQ(Read("כ׳ טבת ד׳ תתקצט").day, Read("20 Tevet 4999").day);
    for (const char* spelling : {"Adar Sheni", "Adar Bet", "Adar 2", "adar ii", "ADAR BEIS"}) {
        EXPECT_EQ(Read(std::string("1 ") + spelling + " 5784").day, Read("1 Adar II 5784").day) << spelling;
    }
    for (const char* spelling : {"Chislev", "Teveth", "Tishre", "Ellul", "Menachem Av", "Adar Rishon"}) {
        EXPECT_TRUE(Read(std::string("1 ") + spelling + " 5784").ok) << spelling;
    }
}

// Each kind of refused input, with the reason given.
TEST(DateInput, RefusalsSayWhy)
{
    struct Row { const char* text; const char* error; };
    const std::string outOfRange =
        "out of range: the converter knows the days from -3761-09-19 to 2241-09-06, Hebrew years 0 to 6001";
    const Row rows[] = {
        {"2023-04-31", "April 2023 has 30 days (--carry counts it on into the next month)"},
        {"2023-02-30", "February 2023 has 28 days (--carry counts it on into the next month)"},
        {"1900-02-29", "February 1900 has 28 days (--carry counts it on into the next month)"},
        {"1582-10-05", "this day was skipped: 4 October 1582 (Julian) was followed by 15 October 1582 "
                       "(Gregorian); --carry reads it in the Gregorian calendar"},
        {"30 Heshvan 5784", "Heshvan 5784 has 29 days (--carry counts it on into the next month)"},
        {"30 Adar II 5784", "Adar II 5784 has 29 days (--carry counts it on into the next month)"},
        {"2024-13-01", "there is no month 13; months are 1 to 12"},
        {"2024-00-10", "there is no month 0; months are 1 to 12"},
        {"2024-01-32", "there is no day 32 in any month"},
        {"31 Nisan 5784", "there is no day 31 in any Hebrew month"},
        {"0 Nisan 5784", "there is no day 0 in any Hebrew month"},
        {"15 Nisn 5784", "unknown Hebrew month \"Nisn\"; the months are Tishri, Heshvan, Kislev, Tevet, Shevat, "
                         "Adar, Adar I, Adar II, Nisan, Iyar, Sivan, Tammuz, Av and Elul, or their Hebrew names "
                         "(--help lists other spellings)"},
        {"ט״ו ניסנ ה׳ תשפ״ד", "unknown Hebrew month \"ניסנ\"; the months are Tishri, Heshvan, Kislev, Tevet, "
                              "Shevat, Adar, Adar I, Adar II, Nisan, Iyar, Sivan, Tammuz, Av and Elul, or their Hebrew "
                              "names (--help lists other spellings)"},
        {"Adar 1 5784", "a Hebrew date is written day, month, year: \"1 Adar 5784\""},
        {"Nisan 15 5784", "a Hebrew date is written day, month, year: \"15 Nisan 5784\""},
        {"Adar II 14 5784", "a Hebrew date is written day, month, year: \"14 Adar II 5784\""},
        {"5784 Nisan 15", "there is no day 5784 in any Hebrew month; a Hebrew date is written day, month, year: "
                          "\"15 Nisan 5784\""},
        {"24-04-23", "write the year in full, with at least four digits, as ISO 8601 does: \"0024-04-23\" is the "
                     "year 24"},
        {"1-1-1", "write the year in full, with at least four digits, as ISO 8601 does: \"0001-01-01\" is the year 1"},
        {"-1-12-31", "write the year in full, with at least four digits, as ISO 8601 does: \"-0001-12-31\" is the "
                     "year -1"},
        {"23-04-2024", "a civil date is written year first, with hyphens, as YYYY-MM-DD: \"2024-04-23\""},
        {"4/23/2024", "a civil date is written year first, with hyphens, as YYYY-MM-DD: \"2024-04-23\""},
        {"1/1/2024", "a civil date is written year first, with hyphens, as YYYY-MM-DD: \"2024-01-01\""},
        {"04/05/2024", "a civil date is written year first, with hyphens, as YYYY-MM-DD"},
        {"2024/04/23", "a civil date is written year first, with hyphens, as YYYY-MM-DD: \"2024-04-23\""},
        {"15 Nisan 9999999999", outOfRange.c_str()},
        {"99999999999999999999-01-01", outOfRange.c_str()},
        {"1234567-01-01", outOfRange.c_str()},
        {"99999999999999999999 Nisan 5784", "there is no day 99999999999999999999 in any Hebrew month"},
        {"15 Nisan 57x4", "the year \"57x4\" is neither digits nor a Hebrew numeral"},
        {"1x Nisan 5784", "the day \"1x\" is neither digits nor a Hebrew numeral"},
        {"1 Nisan 6002", outOfRange.c_str()},
        {"2241-09-07", outOfRange.c_str()},
        {"-3761-09-18", outOfRange.c_str()},
        {"999999-01-01", outOfRange.c_str()},
        {"1 Nisan 999999999", outOfRange.c_str()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ReadResult result = Read(row.text);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, row.error);
    }
    for (const char* malformed : {"", "   ", "2024-04", "2024-04-23x", "2024--04-23", "tomorrow", "15 Nisan",
                                  "a b c d e", "--", "\xff\xfe", "2024-004-01"}) {
        SCOPED_TRACE(malformed);
        ReadResult result = Read(malformed);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.substr(0, 11), "not a date:");
    }
}

TEST(DateInput, CarryCountsOnAsTheWindowDoes)
{
    struct Row { const char* text; const char* expected; };
    const Row rows[] = {
        {"2001-04-31", "2001-05-01"},
        {"2023-02-30", "2023-03-02"},
        {"1582-10-05", "1582-09-25"},
        {"1582-10-14", "1582-10-04"},
        {"30 Heshvan 5784", "1 Kislev 5784"},
        {"30 Elul 5784", "1 Tishri 5785"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ReadResult carried = Read(row.text, true);
        ReadResult real = Read(row.expected);
        EXPECT_TRUE(carried.ok && real.ok);
        EXPECT_EQ(carried.day, real.day);
    }
}

// Britain's change: 2 September 1752 was followed by 14 September; 1700 was still Julian, with
// a 29 February; the proleptic calendars have neither a gap nor each other's leap days.
TEST(DateInput, OtherCalendarsHaveTheirOwnDays)
{
    CivilCalendar britain = CivilCalendar::SwitchingOn(GregorianToDay({1752, 9, 14}));
    EXPECT_EQ(Read("1752-09-14", false, britain).day, Read("1752-09-02", false, britain).day + 1);
    EXPECT_NE(Read("1752-09-10", false, britain).error.find("2 September 1752 (Julian) was followed by "
                                                           "14 September 1752 (Gregorian)"),
              std::string::npos);
    EXPECT_TRUE(Read("1700-02-29", false, britain).ok);
    EXPECT_TRUE(Read("1582-10-10", false, CivilCalendar::Gregorian()).ok);
    EXPECT_TRUE(Read("1582-10-10", false, CivilCalendar::Julian()).ok);
    EXPECT_FALSE(Read("1500-02-29", false, CivilCalendar::Gregorian()).ok);
    EXPECT_TRUE(Read("1900-02-29", false, CivilCalendar::Julian()).ok);
    // A Gregorian date is 13 days ahead of the Julian one in 1900 ... 2099.
    EXPECT_EQ(Read("2024-04-23", false, CivilCalendar::Gregorian()).day,
              Read("2024-04-10", false, CivilCalendar::Julian()).day);
}

TEST(DateInput, AChangeOfCalendarMayNotRepeatDays)
{
    Day aligned = GregorianToDay({200, 3, 1});
    EXPECT_EQ(aligned, JulianToDay({200, 3, 1}));
    EXPECT_TRUE(CivilCalendar::SwitchCanStartOn(aligned));
    EXPECT_FALSE(CivilCalendar::SwitchCanStartOn(aligned - 1));
    EXPECT_TRUE(CivilCalendar::SwitchCanStartOn(GregorianToDay({1582, 10, 15})));
}

}  // namespace
}  // namespace cli
