// JSON Lines: one object a day, its Hebrew texts escaped once when they are prepared.

#include <algorithm>
#include <array>
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

// What stands before a member: ',"name":', or '{"name":' for the first, made when compiled.
template <FieldName Name, bool First>
constexpr auto MemberPrefix = [] {
    constexpr std::size_t size = Name.View().size();
    std::array<char, size + 4> prefix{};
    prefix[0] = First ? '{' : ',';
    prefix[1] = '"';
    std::copy_n(Name.text, size, prefix.begin() + 2);
    prefix[size + 2] = '"';
    prefix[size + 3] = ':';
    return prefix;
}();

// Members with their names, the object opened by the first and closed at the line's end.
struct JsonStyle {
    static constexpr DayConverter::Escape Escape = JsonEscaped;

    template <FieldName Name, bool First = false, class Put>
    static char* Text(char* out, Put put)
    {
        out = Prefix<Name, First>(out);
        *out++ = '"';
        out = put(out);
        *out++ = '"';
        return out;
    }
    template <FieldName Name>
    static char* Number(char* out, std::int64_t value)
    {
        return WriteDecimal(value, Prefix<Name, false>(out));
    }
    template <FieldName Name>
    static char* Flag(char* out, bool value)
    {
        return PutText(Prefix<Name, false>(out), value ? "true" : "false");
    }
    static char* PutEscaped(char* out, std::string_view text) { return PutText(out, JsonEscaped(text)); }
    static char* End(char* out) { return PutText(out, "}\n"); }
    static std::string Header(Columns /*columns*/) { return {}; }

    template <FieldName Name, bool First>
    static char* Prefix(char* out)
    {
        return PutText(out, {MemberPrefix<Name, First>.data(), MemberPrefix<Name, First>.size()});
    }
};

}  // namespace

std::unique_ptr<Writer> MakeJsonWriter(const CivilCalendar& calendar, Columns columns)
{
    return std::make_unique<RecordWriter<JsonStyle>>(calendar, columns);
}

}  // namespace cli
