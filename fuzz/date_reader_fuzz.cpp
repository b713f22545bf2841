// The date reader, in each calendar with and without --carry. Whatever it accepts is a day of
// the supported range that the text writer's line gives back from each of its three dates;
// whatever it refuses has a message a terminal shows as it is.
//
// Input: one byte of settings (the calendar in bits 0-1, a change of calendar among four in
// bits 2-3, --carry in bit 4), then the text. With bit 5 the text is made from the next bytes
// instead, a day 0 ... 31 of a month of a year in Hebrew or civil words, and without --carry it
// must be accepted exactly when the engine has that day: the reader's own rules held to the
// engine's.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/civil_calendars.h"
#include "cli/date_input.h"
#include "cli/writer.h"
#include "fuzz/fuzz_check.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"

namespace {

using cli::CivilCalendar;

constexpr cli::CivilLabel Today{2026, 12, 8};

// Days on which calendars changed (Britain 1752, Russia 1918), and the first and last allowed.
constexpr std::array<cli::Day, 4> SwitchDays = {
    cli::GregorianToDay({1752, 9, 14}), cli::GregorianToDay({1918, 2, 14}), cli::JulianToDay({200, 3, 1}),
    cli::GregorianToDay({2200, 1, 1})};

CivilCalendar CalendarOf(unsigned settings)
{
    switch (settings & 3) {
    case 0: return CivilCalendar::Window();
    case 1: return CivilCalendar::Gregorian();
    case 2: return CivilCalendar::Julian();
    default: return CivilCalendar::SwitchingOn(SwitchDays[(settings >> 2) & 3]);
    }
}

// The fields of a text line, apart by two spaces or more.
std::vector<std::string> Fields(std::string_view line)
{
    std::vector<std::string> fields;
    while (!line.empty()) {
        std::size_t gap = line.find("  ");
        std::string_view field = line.substr(0, gap);
        if (!field.empty()) {
            fields.emplace_back(field);
        }
        if (gap == std::string_view::npos) {
            break;
        }
        line.remove_prefix(line.find_first_not_of(' ', gap) == std::string_view::npos ? line.size()
                                                                                        : line.find_first_not_of(' ', gap));
    }
    return fields;
}

// A date made from four bytes and read: the day, the month, and the year from two bytes, in the
// Hebrew calendar (month names in Latin or Hebrew, numbers in digits or letters) or the civil one.
void CheckMadeDate(const CivilCalendar& calendar, bool carry, const std::uint8_t* bytes)
{
    int day = bytes[0] % 32;
    int year = (bytes[2] | bytes[3] << 8) % (cli::LastHebrewYear + 1);
    cli::DateReader reader(calendar, carry, Today);
    if (bytes[1] & 0x80) {
        int month = bytes[1] % 12 + 1;
        int civilYear = year - 3761;  // the civil years of the Hebrew ones
        cli::CivilLabel label{civilYear, month, day};
        std::string text = cli::IsoText(label);
        cli::ReadResult result = reader.Read(text);
        bool real = day >= 1 && day <= calendar.MonthLength(civilYear, month) &&
                    calendar.Classify(label) == engine::LabelKind::Real;
        cli::Day dayNumber = day >= 1 ? calendar.ToDay(label) : 0;
        bool inRange = dayNumber >= cli::FirstSupportedDay() && dayNumber <= cli::LastSupportedDay();
        if (!carry) {
            FUZZ_CHECK(result.ok == (real && inRange), text + ": " + result.error);
        }
        FUZZ_CHECK(!result.ok || result.day == dayNumber, text);
        return;
    }
    auto month = static_cast<hebrew_text::HebrewMonth>(bytes[1] % 14);
    bool leap = engine::IsHebrewLeapYear(year);
    int position = hebrew_text::HebrewMonthPosition(month, leap);
    const hebrew_text::HebrewMonthEntry& entry = hebrew_text::HebrewMonthEntryOf(month);
    bool letters = (bytes[1] & 0x40) != 0 && day >= 1 && year >= 1000;
    std::string text = (letters ? hebrew_text::HebrewNumeralUtf8(day) : std::to_string(day)) + " " +
                       std::string((bytes[1] & 0x20) != 0 ? entry.utf8 : entry.latin) + " " +
                       (letters ? hebrew_text::HebrewNumeralUtf8(year) : std::to_string(year));
    cli::ReadResult result = reader.Read(text);
    if (carry) {
        return;
    }
    // Adar I is the single Adar of a common year.
    bool real = position != 0 && day >= 1 && day <= engine::HebrewMonthLength(year, position);
    FUZZ_CHECK(result.ok == real, text + ": " + result.error);
    if (result.ok) {
        engine::HebrewDate date = engine::DayNumberToHebrew(static_cast<double>(result.day));
        FUZZ_CHECK(date.day == day && date.month == position && date.year == year, text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 4096) {
        return 0;
    }
    unsigned settings = data[0];
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    CivilCalendar calendar = CalendarOf(settings);
    bool carry = (settings & 16) != 0;
    if ((settings & 32) != 0) {
        if (size >= 5) {
            CheckMadeDate(calendar, carry, data + 1);
        }
        return 0;
    }
    cli::DateReader reader(calendar, carry, Today);
    cli::ReadResult result = reader.Read(text);
    if (!result.ok) {
        // The run loop shows it escaped; what it quotes of the input is never cut inside a
        // character, so a reason for valid text is valid text.
        FUZZ_CHECK(!result.error.empty(), text);
        FUZZ_CHECK(!hebrew_text::IsValidUtf8(text) || hebrew_text::IsValidUtf8(result.error), result.error);
        FUZZ_CHECK(fuzz::IsShowable(hebrew_text::EscapedForMessage(result.error)), result.error);
        return 0;
    }
    FUZZ_CHECK(result.day >= cli::FirstSupportedDay() && result.day <= cli::LastSupportedDay(), text);

    std::unique_ptr<cli::Writer> writer = cli::MakeWriter(cli::Format::Text, calendar, {});
    std::string line(cli::Writer::MaxLineBytes, '\0');
    line.resize(static_cast<std::size_t>(writer->Write(cli::Line(result.day), line.data()) - line.data()));
    FUZZ_CHECK(!line.empty() && line.back() == '\n', line);
    line.pop_back();
    // The civil date, the weekday, the Hebrew date in Latin letters and in Hebrew.
    std::vector<std::string> fields = Fields(line);
    FUZZ_CHECK(fields.size() == 4, line);
    cli::DateReader plain(calendar, false, Today);
    for (std::size_t i : {0, 2, 3}) {
        cli::ReadResult back = plain.Read(fields[i]);
        FUZZ_CHECK(back.ok && back.day == result.day, std::string(text) + " -> " + fields[i] + " -> " + back.error);
    }
    return 0;
}
