#pragma once
// The writers of records, one line a day with named fields: CSV and JSON Lines. A format is its
// style (what stands between and around the fields, how a text is escaped, the header); the
// fields and their order are PutDayRecord's, then the columns every line carries.

#include <string>

#include "cli/day_fields.h"

namespace cli {

template <class Style>
class RecordWriter : public Writer {
public:
    RecordWriter(const CivilCalendar& calendar, Columns columns)
        : days_(calendar, Style::Escape), columns_(columns)
    {
    }

    std::string Header() const override { return Style::Header(columns_); }

    char* Write(const Line& line, char* out) override
    {
        out = PutDayRecord<Style>(days_.Fields(line.day, line.evening ? line.day + 1 : line.day), out);
        if (columns_.afterSunset) {
            out = Style::template Flag<"afterSunset">(out, line.evening);
        }
        if (columns_.events) {
            out = Style::template Text<"event">(out, [&](char* at) { return Style::PutEscaped(at, line.event); });
            out = Style::template Text<"eventHebrew">(out,
                                                     [&](char* at) { return Style::PutEscaped(at, line.eventHebrew); });
        }
        return Style::End(out);
    }

private:
    DayConverter days_;
    Columns columns_;
};

}  // namespace cli
