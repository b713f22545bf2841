// CSV (RFC 4180) with a header row: a field that holds a comma, a quote or a line break is
// quoted, with its quotes doubled.

#include <string>

#include "cli/record_writer.h"

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

// Fields apart by commas; the header row names them.
struct CsvStyle {
    static constexpr DayConverter::Escape Escape = nullptr;

    template <class Put>
    static char* Text(char* out, std::string_view /*name*/, bool first, Put put)
    {
        if (!first) {
            *out++ = ',';
        }
        return PutCsvField(out, put(out));
    }
    static char* Number(char* out, std::string_view /*name*/, std::int64_t value)
    {
        *out++ = ',';
        return WriteDecimal(value, out);
    }
    static char* Flag(char* out, std::string_view /*name*/, bool value)
    {
        return PutText(out, value ? ",true" : ",false");
    }
    static char* PutEscaped(char* out, std::string_view text) { return PutText(out, text); }
    static char* End(char* out)
    {
        *out++ = '\n';
        return out;
    }
    static std::string Header(Columns columns);
};

// The names of the fields, as the header row has them.
struct CsvNames {
    template <class Put>
    static char* Text(char* out, std::string_view name, bool first, Put /*put*/)
    {
        if (!first) {
            *out++ = ',';
        }
        return PutText(out, name);
    }
    static char* Number(char* out, std::string_view name, std::int64_t /*value*/)
    {
        *out++ = ',';
        return PutText(out, name);
    }
};

std::string CsvStyle::Header(Columns columns)
{
    char names[256];
    std::string header(names, PutDayRecord<CsvNames>(DayFields{}, names));
    header += columns.afterSunset ? ",afterSunset" : "";
    header += columns.events ? ",event,eventHebrew" : "";
    return header + "\n";
}

}  // namespace

std::unique_ptr<Writer> MakeCsvWriter(const CivilCalendar& calendar, Columns columns)
{
    return std::make_unique<RecordWriter<CsvStyle>>(calendar, columns);
}

}  // namespace cli
