// The plain text format: one line per day, its fields apart by two spaces, the weekday padded so
// that the Hebrew dates of a range stand in a column.

#include "cli/day_fields.h"

namespace cli {

namespace {

// The Hebrew date's texts: day, month and year with single spaces.
char* PutHebrewText(char* out, const DayFields& fields)
{
    out = PutText(out, fields.dayText);
    *out++ = ' ';
    out = PutText(out, fields.monthText);
    *out++ = ' ';
    return PutText(out, fields.yearText);
}

class TextWriter : public Writer {
public:
    explicit TextWriter(const CivilCalendar& calendar) : days_(calendar, nullptr) {}

    char* Write(const Line& line, char* out) override
    {
        out = WriteTextDay(days_.Fields(line.day, line.evening ? line.day + 1 : line.day), out);
        if (line.evening) {
            out = PutText(out, "  after sunset");
        }
        if (!line.event.empty()) {
            out = PutText(out, "  ");
            out = PutText(out, line.event);
            out = PutText(out, "  ");
            out = PutText(out, line.eventHebrew);
        }
        *out++ = '\n';
        return out;
    }

private:
    DayConverter days_;
};

}  // namespace

char* WriteTextDay(const DayFields& fields, char* out)
{
    out = WriteIso(fields.civil, out);
    out = PutText(out, "  ");
    out = PutText(out, fields.weekdayName);
    out = PutText(out, std::string_view("         ").substr(fields.weekdayName.size()));
    out = PutText(out, "  ");
    out = WriteDecimal(fields.day, out);
    *out++ = ' ';
    out = PutText(out, fields.monthName);
    *out++ = ' ';
    out = WriteDecimal(fields.year, out);
    out = PutText(out, "  ");
    return PutHebrewText(out, fields);
}

std::unique_ptr<Writer> MakeTextWriter(const CivilCalendar& calendar)
{
    return std::make_unique<TextWriter>(calendar);
}

}  // namespace cli
