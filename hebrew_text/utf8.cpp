#include "hebrew_text/utf8.h"

namespace hebrew_text {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0u) == 0x80u;
}

// The characters that would reorder or hide the text around them on a terminal, and the C1
// controls, which some terminals act on.
bool HidesOrReorders(char32_t code)
{
    return (code >= 0x80 && code <= 0x9F) || code == 0x061C || (code >= 0x200B && code <= 0x200F) ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2060 && code <= 0x2069) || code == 0xFEFF;
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        Utf8Char c = DecodeUtf8(text, at);
        if (!c.valid) {
            return false;
        }
        at += c.length;
    }
    return true;
}

std::size_t Utf8CharStart(std::string_view text, std::size_t at)
{
    DETRON_EXPECTS(at <= text.size(), "a place inside the text or its end");
    if (at == text.size() || !IsContinuation(static_cast<unsigned char>(text[at]))) {
        return at;
    }
    // A valid character holding a continuation byte begins at the nearest byte before it that
    // is no continuation byte, at most three back.
    for (std::size_t back = 1; back <= 3 && back <= at; ++back) {
        std::size_t start = at - back;
        if (!IsContinuation(static_cast<unsigned char>(text[start]))) {
            Utf8Char c = DecodeUtf8(text, start);
            return c.valid && start + c.length > at ? start : at;
        }
    }
    return at;
}

std::size_t Utf8UnfinishedTail(std::string_view text)
{
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        std::size_t start = text.size() - back;
        auto lead = static_cast<unsigned char>(text[start]);
        if (IsContinuation(lead)) {
            continue;
        }
        if (detail::Utf8SequenceLength(lead) <= back) {
            return 0;  // ASCII, a byte that leads nothing, or a sequence already whole
        }
        if (back >= 2) {
            detail::ByteRange second = detail::Utf8SecondByte(lead);
            auto next = static_cast<unsigned char>(text[start + 1]);
            if (next < second.low || next > second.high) {
                return 0;  // no further byte could make it valid
            }
        }
        return back;
    }
    return 0;
}

std::size_t Utf8Length(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        at += DecodeUtf8(text, at).length;
    }
    return count;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = 0xFFFD;
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string EscapedForMessage(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        Utf8Char c = DecodeUtf8(text, at);
        if (!c.valid || c.code < 0x20 || c.code == 0x7F) {
            auto byte = static_cast<unsigned char>(text[at]);
            escaped += "\\x";
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 15];
            ++at;
            continue;
        }
        if (HidesOrReorders(c.code)) {
            escaped += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                escaped += Hex[(c.code >> shift) & 15];
            }
        } else {
            escaped.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return escaped;
}

}  // namespace hebrew_text
