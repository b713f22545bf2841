// JSON Lines: one object a day, its Hebrew texts escaped once when they are prepared.

#include <string>

#include "cli/record_writer.h"

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

// Members with their names, the object opened by the first and closed at the line's end.
struct JsonStyle {
    static constexpr DayConverter::Escape Escape = JsonEscaped;

    template <class Put>
    static char* Text(char* out, std::string_view name, bool first, Put put)
    {
        out = Name(out, name, first);
        *out++ = '"';
        out = put(out);
        *out++ = '"';
        return out;
    }
    static char* Number(char* out, std::string_view name, std::int64_t value)
    {
        return WriteDecimal(value, Name(out, name, false));
    }
    static char* Flag(char* out, std::string_view name, bool value)
    {
        return PutText(Name(out, name, false), value ? "true" : "false");
    }
    static char* PutEscaped(char* out, std::string_view text) { return PutText(out, JsonEscaped(text)); }
    static char* End(char* out) { return PutText(out, "}\n"); }
    static std::string Header(Columns /*columns*/) { return {}; }

    static char* Name(char* out, std::string_view name, bool first)
    {
        *out++ = first ? '{' : ',';
        *out++ = '"';
        out = PutText(out, name);
        *out++ = '"';
        *out++ = ':';
        return out;
    }
};

}  // namespace

std::unique_ptr<Writer> MakeJsonWriter(const CivilCalendar& calendar, Columns columns)
{
    return std::make_unique<RecordWriter<JsonStyle>>(calendar, columns);
}

}  // namespace cli
