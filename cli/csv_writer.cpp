// CSV (RFC 4180) with a header row: a field that holds a comma, a quote or a line break is
// quoted, with its quotes doubled.

#include <string>

#include "cli/day_fields.h"

namespace cli {

namespace {

// The field written from `field` to `end`, quoted when it needs to be. Returns the end.
char* PutCsvField(char* field, char* end)
{
    std::string_view text(field, static_cast<std::size_t>(end - field));
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return end;
    }
    std::string copy(text);
    char* out = field;
    *out++ = '"';
    for (char c : copy) {
        if (c == '"') {
            *out++ = '"';
        }
        *out++ = c;
    }
    *out++ = '"';
    return out;
}

class CsvWriter : public Writer {
public:
    CsvWriter(const CivilCalendar& calendar, Columns columns) : days_(calendar, nullptr), columns_(columns) {}

    std::string Header() const override
    {
        std::string header =
            "civil,weekday,weekdayName,hebrewYear,hebrewMonth,hebrewMonthName,hebrewDay,hebrewText,julianDay";
        header += columns_.afterSunset ? ",afterSunset" : "";
        header += columns_.events ? ",event,eventHebrew" : "";
        return header + "\n";
    }

    char* Write(const Line& line, char* out) override
    {
        out = WriteDay(days_.Fields(line.day, line.evening ? line.day + 1 : line.day), out);
        if (columns_.afterSunset) {
            out = PutText(out, line.evening ? ",true" : ",false");
        }
        if (columns_.events) {
            *out++ = ',';
            out = PutCsvField(out, PutText(out, line.event));
            *out++ = ',';
            out = PutCsvField(out, PutText(out, line.eventHebrew));
        }
        *out++ = '\n';
        return out;
    }

private:
    static char* WriteDay(const DayFields& fields, char* out)
    {
        out = WriteIso(fields.civil, out);
        *out++ = ',';
        out = WriteDecimal(fields.weekday, out);
        *out++ = ',';
        out = PutText(out, fields.weekdayName);
        *out++ = ',';
        out = WriteDecimal(fields.year, out);
        *out++ = ',';
        out = WriteDecimal(fields.month, out);
        *out++ = ',';
        out = PutText(out, fields.monthName);
        *out++ = ',';
        out = WriteDecimal(fields.day, out);
        *out++ = ',';
        char* field = out;
        out = PutText(out, fields.dayText);
        *out++ = ' ';
        out = PutText(out, fields.monthText);
        *out++ = ' ';
        out = PutCsvField(field, PutText(out, fields.yearText));
        *out++ = ',';
        return WriteDecimal(fields.julianDay, out);
    }

    DayConverter days_;
    Columns columns_;
};

}  // namespace

std::unique_ptr<Writer> MakeCsvWriter(const CivilCalendar& calendar, Columns columns)
{
    return std::make_unique<CsvWriter>(calendar, columns);
}

}  // namespace cli
