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
    // A plain loop: find_first_of would search the four characters once for every byte.
    bool plain = true;
    for (char c : text) {
        plain = plain && c != ',' && c != '"' && c != '\r' && c != '\n';
    }
    if (plain) {
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

    template <FieldName Name, bool First = false, class Put>
    static char* Text(char* out, Put put)
    {
        if (!First) {
            *out++ = ',';
        }
        return PutCsvField(out, put(out));
    }
    template <FieldName Name>
    static char* Number(char* out, std::int64_t value)
    {
        *out++ = ',';
        return WriteDecimal(value, out);
    }
    template <FieldName Name>
    static char* Flag(char* out, bool value)
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
    template <FieldName Name, bool First = false, class Put>
    static char* Text(char* out, Put /*put*/)
    {
        if (!First) {
            *out++ = ',';
        }
        return PutText(out, Name.View());
    }
    template <FieldName Name>
    static char* Number(char* out, std::int64_t /*value*/)
    {
        *out++ = ',';
        return PutText(out, Name.View());
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
