// Every day the converter knows, under every calendar choice, in both directions, against day
// counts that share nothing with the program: civil labels advanced with the real month lengths
// from Julian Day 0, Hebrew months laid out one by one from the molad.

#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/civil_calendars.h"
#include "cli/date_input.h"
#include "cli/writer.h"
#include "engine/stepwise.h"
#include "hebrew_text/encoding.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "reference_calendars.h"

namespace cli {
namespace {

constexpr Day JulianDayZero = -JulianDayOffset;  // 1 January -4712 (Julian)
constexpr CivilLabel Today{2026, 12, 8};

// A civil calendar walked a day at a time: Julian rules up to `lastJulian`, then a jump to
// `firstGregorian` and Gregorian rules.
struct CountedCalendar {
    const char* name;
    CivilCalendar calendar;
    CivilLabel start;  // the label of Julian Day 0
    bool startsGregorian;
    CivilLabel lastJulian, firstGregorian;  // year 0 when there is no change
};

bool Same(CivilLabel a, CivilLabel b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

int Length(int year, int month, bool gregorian)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = gregorian ? (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 : year % 4 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

CivilLabel Next(CivilLabel date, bool gregorian)
{
    if (date.day < Length(date.year, date.month, gregorian)) {
        return {date.year, date.month, date.day + 1};
    }
    return date.month < 12 ? CivilLabel{date.year, date.month + 1, 1} : CivilLabel{date.year + 1, 1, 1};
}

std::vector<CountedCalendar> Calendars()
{
    Day britain = GregorianToDay({1752, 9, 14});
    return {
        {"window", CivilCalendar::Window(), {-4712, 1, 1}, false, {1582, 10, 4}, {1582, 10, 15}},
        {"proleptic Gregorian", CivilCalendar::Gregorian(), {-4713, 11, 24}, true, {}, {}},
        {"proleptic Julian", CivilCalendar::Julian(), {-4712, 1, 1}, false, {}, {}},
        {"switch on 1752-09-14", CivilCalendar::SwitchingOn(britain), {-4712, 1, 1}, false, {1752, 9, 2},
         {1752, 9, 14}},
        // The earliest change allowed: its last Julian day is a leap day the Gregorian year lacks.
        {"switch on 0200-03-01", CivilCalendar::SwitchingOn(JulianToDay({200, 3, 1})), {-4712, 1, 1}, false,
         {200, 2, 29}, {200, 3, 1}},
    };
}

// The fields of a CSV line, after the civil date: weekday, its name, Hebrew year, month, month
// name and day.
std::vector<std::string> Fields(const char* begin, const char* end)
{
    std::vector<std::string> fields(1);
    for (const char* at = begin; at < end && *at != '\n'; ++at) {
        if (*at == ',') {
            fields.emplace_back();
        } else {
            fields.back() += *at;
        }
    }
    return fields;
}

TEST(Conversions, EveryCivilDayBothWaysUnderEachCalendar)
{
    for (const CountedCalendar& counted : Calendars()) {
        SCOPED_TRACE(counted.name);
        DateReader reader(counted.calendar, false, Today);
        std::unique_ptr<Writer> formatter = MakeWriter(Format::Csv, counted.calendar, {});
        std::vector<char> line(Writer::MaxLineBytes);
        CivilLabel label = counted.start;
        bool gregorian = counted.startsGregorian;
        int failures = 0;
        for (Day day = JulianDayZero; day <= LastSupportedDay() && failures < 5; ++day) {
            bool ok = Same(counted.calendar.LabelOf(day), label) && counted.calendar.ToDay(label) == day &&
                      counted.calendar.Classify(label) == LabelKind::Real;
            if (day >= FirstSupportedDay()) {
                std::string iso = IsoText(label);
                ReadResult read = reader.Read(iso);
                std::string_view written(line.data(), static_cast<std::size_t>(formatter->Write({day}, line.data()) - line.data()));
                std::string julianDay = std::to_string(day + 347997);
                ok = ok && read.ok && read.day == day && written.starts_with(iso) && written[iso.size()] == ',' &&
                     written.substr(written.size() - julianDay.size() - 1, julianDay.size()) == julianDay;
            }
            if (!ok) {
                ADD_FAILURE() << "day " << day << " should be " << IsoText(label) << ", is "
                              << IsoText(counted.calendar.LabelOf(day));
                ++failures;
            }
            if (!gregorian && Same(label, counted.lastJulian)) {
                label = counted.firstGregorian;
                gregorian = true;
            } else {
                label = Next(label, gregorian);
            }
        }
    }
}

// 1 January 2000 was a Saturday, so the weekday is a plain count of days from it.
TEST(Conversions, WeekdaysCountFromAKnownSaturday)
{
    std::unique_ptr<Writer> formatter = MakeWriter(Format::Csv, CivilCalendar::Window(), {});
    std::vector<char> line(Writer::MaxLineBytes);
    Day saturday = GregorianToDay({2000, 1, 1});
    for (Day day : {FirstSupportedDay(), Day{-1}, Day{0}, Day{1}, saturday, LastSupportedDay()}) {
        SCOPED_TRACE(day);
        std::vector<std::string> fields = Fields(line.data(), formatter->Write({day}, line.data()));
        Day offset = ((day - saturday) % 7 + 7) % 7;
        EXPECT_EQ(fields[1], std::to_string((6 + offset) % 7));
    }
}

std::string Utf8Numeral(int value)
{
    return hebrew_text::HebrewNumeralUtf8(value);
}

TEST(Conversions, EveryHebrewDayBothWaysAgainstAMonthByMonthCalendar)
{
    static const char* const common[] = {"Tishri", "Heshvan", "Kislev", "Tevet", "Shevat", "Adar",
                                         "Nisan",  "Iyar",    "Sivan",  "Tammuz", "Av",    "Elul"};
    static const char* const leap[] = {"Tishri", "Heshvan", "Kislev", "Tevet",  "Shevat", "Adar I", "Adar II",
                                       "Nisan",  "Iyar",    "Sivan",  "Tammuz", "Av",     "Elul"};
    DateReader reader(CivilCalendar::Window(), false, Today);
    std::unique_ptr<Writer> formatter = MakeWriter(Format::Csv, CivilCalendar::Window(), {});
    std::vector<char> line(Writer::MaxLineBytes);
    std::vector<std::string> hebrewMonths;
    reference::HebrewDayCounter counter(FirstHebrewYear);
    int failures = 0;
    ASSERT_EQ(reference::HebrewNewYear(FirstHebrewYear), FirstSupportedDay());
    for (Day n = FirstSupportedDay(); n <= LastSupportedDay() && failures < 5; ++n, counter.Next()) {
        int day = counter.Current().day;
        auto month = static_cast<std::size_t>(counter.Current().month - 1);
        int year = counter.Current().year;
        bool isLeap = counter.LeapYear();
        std::string name = isLeap ? leap[month] : common[month];
        std::string latin = std::to_string(day) + " " + name + " " + std::to_string(year);
        // The numerals and month names with geresh and gershayim, both Adars of a leap year
        // named ("אדר א׳", "אדר ב׳"), and a year below 1000 in digits, since letters without
        // thousands read as the sixth.
        std::string monthText = isLeap && month == 5   ? "אדר א׳"
                                : isLeap && month == 6 ? "אדר ב׳"
                                                       : hebrew_text::Cp1255ToUtf8(hebrew_text::HebrewMonthNames[
                                                             isLeap && month > 6 ? month - 1 : month]);
        std::string hebrew = Utf8Numeral(day) + " " + monthText + " " +
                             (year >= 1000 ? Utf8Numeral(year) : std::to_string(year));
        std::string_view written(line.data(), static_cast<std::size_t>(formatter->Write({n}, line.data()) - line.data()));
        // What is written reads back to the same day.
        ReadResult fromLatin = reader.Read(latin);
        ReadResult fromHebrew = reader.Read(Fields(written.data(), written.data() + written.size())[7]);
        // The texts in UTF-8 with the geresh and gershayim marks read back too, and so does a
        // bare "אדר" for the first Adar of a leap year.
        const hebrew_text::HebrewMonthEntry& entry = hebrew_text::HebrewMonthList(isLeap)[month];
        std::string yearUtf8 = year >= 1000 ? hebrew_text::HebrewNumeralUtf8(year) : std::to_string(year);
        ReadResult fromUtf8 = reader.Read(hebrew_text::HebrewNumeralUtf8(day) + " " + std::string(entry.utf8) + " " + yearUtf8);
        bool firstAdar = entry.month == hebrew_text::HebrewMonth::AdarI;
        ReadResult fromBareAdar = firstAdar ? reader.Read(hebrew_text::HebrewNumeralUtf8(day) + " אדר " + yearUtf8) : fromUtf8;
        std::string fields;
        for (const std::string& field : {std::to_string(year), std::to_string(month + 1), name, std::to_string(day), hebrew}) {
            fields += ',';
            fields += field;
        }
        fields += ',';
        bool ok = fromLatin.ok && fromLatin.day == n && fromHebrew.ok && fromHebrew.day == n && fromUtf8.ok &&
                  fromUtf8.day == n && fromBareAdar.ok && fromBareAdar.day == n &&
                  written.find(fields) != std::string_view::npos;
        if (!ok) {
            ADD_FAILURE() << "day number " << n << " should be " << latin << " (" << hebrew << "): read "
                          << fromLatin.day << fromLatin.error << " and " << fromHebrew.day << fromHebrew.error
                          << " and " << fromUtf8.day << fromUtf8.error << " and " << fromBareAdar.day
                          << fromBareAdar.error << ", written " << written;
            ++failures;
        }
    }
    EXPECT_EQ(counter.Current().year, LastHebrewYear + 1);
}

// The change of calendar on 15 October 1582 reads every label the window's lists offer,
// impossible ones included, as the engine's step-by-step arithmetic defines them.
TEST(Conversions, AChangeOn15October1582ReadsEveryLabelAsTheWindow)
{
    CivilCalendar generic = CivilCalendar::SwitchingOn(engine::ReformFirstGregorianDay);
    int failures = 0;
    for (int year = -3761; year <= 2241 && failures < 5; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                CivilLabel label{year, month, day};
                if (static_cast<double>(generic.ToDay(label)) != engine::stepwise::CivilToDayNumber(day, month, year)) {
                    ADD_FAILURE() << IsoText(label);
                    ++failures;
                }
            }
        }
    }
}

}  // namespace
}  // namespace cli
