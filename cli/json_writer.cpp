// JSON Lines: one object per day, its Hebrew texts escaped once when they are prepared.

#include <string>

#include "cli/day_fields.h"

namespace cli {

namespace {

// Anything JSON would need escaped is escaped, so that no text, a person's name included, can
// make a line that is not JSON.
std::string JsonEscaped(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        unsigned byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20) {
            static const char hex[] = "0123456789abcdef";
            escaped += "\\u00";
            escaped += hex[byte >> 4];
            escaped += hex[byte & 15];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

class JsonWriter : public Writer {
public:
    JsonWriter(const CivilCalendar& calendar, Columns columns) : days_(calendar, JsonEscaped), columns_(columns) {}

    char* Write(const Line& line, char* out) override
    {
        out = WriteDay(days_.Fields(line.day, line.evening ? line.day + 1 : line.day), out);
        if (columns_.afterSunset) {
            out = PutText(out, line.evening ? ",\"afterSunset\":true" : ",\"afterSunset\":false");
        }
        if (columns_.events) {
            out = PutText(out, ",\"event\":\"");
            out = PutText(out, JsonEscaped(line.event));
            out = PutText(out, "\",\"eventHebrew\":\"");
            out = PutText(out, JsonEscaped(line.eventHebrew));
            *out++ = '"';
        }
        out = PutText(out, "}\n");
        return out;
    }

private:
    static char* WriteDay(const DayFields& fields, char* out)
    {
        out = PutText(out, "{\"civil\":\"");
        out = WriteIso(fields.civil, out);
        out = PutText(out, "\",\"weekday\":");
        out = WriteDecimal(fields.weekday, out);
        out = PutText(out, ",\"weekdayName\":\"");
        out = PutText(out, fields.weekdayName);
        out = PutText(out, "\",\"hebrewYear\":");
        out = WriteDecimal(fields.year, out);
        out = PutText(out, ",\"hebrewMonth\":");
        out = WriteDecimal(fields.month, out);
        out = PutText(out, ",\"hebrewMonthName\":\"");
        out = PutText(out, fields.monthName);
        out = PutText(out, "\",\"hebrewDay\":");
        out = WriteDecimal(fields.day, out);
        out = PutText(out, ",\"hebrewText\":\"");
        out = PutText(out, fields.dayText);
        *out++ = ' ';
        out = PutText(out, fields.monthText);
        *out++ = ' ';
        out = PutText(out, fields.yearText);
        out = PutText(out, "\",\"julianDay\":");
        return WriteDecimal(fields.julianDay, out);
    }

    DayConverter days_;
    Columns columns_;
};

}  // namespace

std::unique_ptr<Writer> MakeJsonWriter(const CivilCalendar& calendar, Columns columns)
{
    return std::make_unique<JsonWriter>(calendar, columns);
}

}  // namespace cli
