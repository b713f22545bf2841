// The iCalendar format: each line an all-day event, its summary the event's names or the Hebrew
// date, its description the text line of its day, and a UID from the day and what it marks, the
// same in every run.

#include <string>

#include "cli/day_fields.h"
#include "cli/ics.h"

namespace cli {

namespace {

constexpr std::string_view IcsYears = "the years 1 to 9999";
constexpr std::string_view Holds = "iCalendar holds the years 1 to 9999";

class IcsWriter : public Writer {
public:
    IcsWriter(const CivilCalendar& calendar, std::string_view stamp) : days_(calendar, nullptr), stamp_(stamp) {}

    std::string Header() const override { return IcsBegin(); }
    std::string Footer() const override { return IcsEnd(); }

    std::string Refusal(Day day) const override
    {
        if (IcsCanHold(day)) {
            return {};
        }
        return IsoText(GregorianOfDay(day)) + " (Gregorian) cannot be written in iCalendar, which holds " +
               std::string(IcsYears);
    }
    std::string_view Limits() const override { return Holds; }

    char* Write(const Line& line, char* out) override
    {
        DayFields fields = days_.Fields(line.day, line.evening ? line.day + 1 : line.day);
        char text[Writer::MaxLineBytes];
        char* end = WriteTextDay(fields, text);
        if (line.evening) {
            end = PutText(end, "  after sunset");
        }
        std::string description(text, end);
        std::string summary;
        std::string uid = IsoText(GregorianOfDay(line.day)) + "-";
        if (!line.event.empty()) {
            summary.append(line.event).append(" / ").append(line.eventHebrew);
            for (char c : line.event) {
                bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
                uid += keep ? c : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : '-';
            }
        } else {
            summary = std::to_string(fields.day) + " " + std::string(fields.monthName) + " " +
                      std::to_string(fields.year) + " / " + std::string(fields.dayText) + " " +
                      std::string(fields.monthText) + " " + std::string(fields.yearText);
            uid += "hebrew-date";
        }
        if (!line.uidKey.empty()) {
            uid.append("-").append(line.uidKey);
        }
        if (line.evening) {
            uid += "-evening";
        }
        return PutText(out, IcsEvent(line.day, uid + "@detron-convert", summary, description, stamp_));
    }

private:
    DayConverter days_;
    std::string stamp_;
};

}  // namespace

std::unique_ptr<Writer> MakeIcsWriter(const CivilCalendar& calendar, std::string_view stamp)
{
    return std::make_unique<IcsWriter>(calendar, stamp);
}

}  // namespace cli
