// The day line: telling days read as a person expects them, and over twenty years, in both
// places, the week's portion on a plain day is the one its Shabbat then reads.

#include <gtest/gtest.h>

#include <string>

#include "observances/day_line.h"
#include "observances/week.h"

namespace {

using observances::DayLineHebrew;
using observances::DayOf;
using M = hebrew_text::HebrewMonth;

TEST(DayLineHebrew, TellingDaysReadAsTheCalendarNamesThem)
{
    struct Row {
        int day;
        M month;
        int year;
        bool israel;
        const char* line;
        const char* note;
    };
    const Row rows[] = {
        {18, M::Kislev, 5787, false, "שבת פרשת וישלח", "a Shabbat with its portion"},
        {21, M::Kislev, 5787, false, "פרשת השבוע: וישב", "a plain weekday names the coming Shabbat's"},
        {25, M::Kislev, 5787, false,
         "שבת פרשת וישב · חנוכה א׳ · שבת מברכים טבת · מולד טבת: יום רביעי 11:11 ו־4 חלקים",
         "Shabbat Chanukah blessing Tevet, with its molad"},
        {30, M::Kislev, 5787, false, "ראש חודש טבת יום א׳ · חנוכה ו׳", "first of two days of Rosh Chodesh"},
        {1, M::Tevet, 5787, false, "ראש חודש טבת יום ב׳ · חנוכה ז׳", "second of two days of Rosh Chodesh"},
        {18, M::Iyar, 5787, false, "ל״ג בעומר · יום ל״ג לעומר", "a day of the omer"},
        {16, M::Nisan, 5786, false, "פסח ב׳ · יום א׳ לעומר", "the omer's first day"},
        {7, M::Sivan, 5786, false, "שבועות ב׳", "a festival Shabbat abroad reads no weekly portion"},
        {7, M::Sivan, 5786, true, "שבת פרשת נשא", "the same Shabbat in Israel"},
        {22, M::Sivan, 5786, false, "פרשת השבוע: שלח לך", "abroad a week behind after Shavuot"},
        {22, M::Sivan, 5786, true, "פרשת השבוע: קורח", "Israel a portion ahead"},
        {23, M::Tishri, 5787, false, "שמחת תורה", "Simchat Torah abroad"},
        {23, M::Tishri, 5787, true, "פרשת השבוע: בראשית", "in Israel the day after is plain"},
        {29, M::Elul, 6001, false, "", "the range's last week has no Shabbat inside it"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        EXPECT_EQ(DayLineHebrew(DayOf(row.day, row.month, row.year), row.israel), row.line);
    }
}

TEST(DayLineHebrew, APlainDaysPortionIsTheOneItsShabbatReads)
{
    const std::string weekLabel = "פרשת השבוע: ";
    const std::string shabbatLabel = "שבת פרשת ";
    for (bool israel : {false, true}) {
        for (observances::Day day = DayOf(1, M::Tishri, 5780); day < DayOf(1, M::Tishri, 5800); ++day) {
            SCOPED_TRACE(testing::Message() << day << (israel ? " in Israel" : " abroad"));
            std::string line = DayLineHebrew(day, israel);
            ASSERT_EQ(line.find(" ·  · "), std::string::npos) << line;
            if (observances::Weekday(day) == observances::Shabbat) {
                ASSERT_FALSE(line.empty());
            }
            if (line.rfind(weekLabel, 0) == 0) {
                observances::Day shabbat = day + observances::Shabbat - observances::Weekday(day);
                std::string reading = line.substr(weekLabel.size());
                ASSERT_EQ(DayLineHebrew(shabbat, israel).rfind(shabbatLabel + reading, 0), 0u) << line;
            }
        }
    }
}

}  // namespace
