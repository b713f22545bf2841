#include "hebrew_text/encoding.h"

#include <array>

#include "hebrew_text/utf8.h"

namespace hebrew_text {

namespace {

constexpr char16_t Unassigned = 0;
constexpr char16_t PrivateUseBase = 0xF700;

// Bytes 0x80 ... 0xFF; 0x00 ... 0x7F are ASCII.
constexpr std::array<char16_t, 128> UpperHalf = {
    0x20AC, Unassigned, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, Unassigned, 0x2039, Unassigned, Unassigned, Unassigned, Unassigned,  // 88
    Unassigned, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, Unassigned, 0x203A, Unassigned, Unassigned, Unassigned, Unassigned,  // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,  // C0 points
    0x05B8, 0x05B9, 0x05BA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,  // C8
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,  // D0
    0x05F4, Unassigned, Unassigned, Unassigned, Unassigned, Unassigned, Unassigned, Unassigned,  // D8
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,  // E0 letters
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,  // E8
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,  // F0
    0x05E8, 0x05E9, 0x05EA, Unassigned, Unassigned, 0x200E, 0x200F, Unassigned,  // F8
};

char16_t CodePointOf(unsigned char byte)
{
    if (byte < 0x80) {
        return byte;
    }
    char16_t code = UpperHalf[byte - 0x80];
    return code == Unassigned ? static_cast<char16_t>(PrivateUseBase + byte) : code;
}

}  // namespace

void Cp1255ToUtf16(std::string_view text, char16_t* out)
{
    for (char c : text) {
        *out++ = CodePointOf(static_cast<unsigned char>(c));
    }
}

std::u16string Cp1255ToUtf16(std::string_view text)
{
    std::u16string result(text.size(), u'\0');
    Cp1255ToUtf16(text, result.data());
    return result;
}

std::string Cp1255ToUtf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size() * 2);
    for (char c : text) {
        AppendUtf8(utf8, CodePointOf(static_cast<unsigned char>(c)));
    }
    return utf8;
}

std::string Utf16ToCp1255(std::u16string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char16_t code : text) {
        char byte = '?';
        if (code < 0x80) {
            byte = static_cast<char>(code);
        } else if (code >= 0x05D0 && code <= 0x05EA) {
            byte = static_cast<char>(0xE0 + (code - 0x05D0));  // the letters, most of every text
        } else {
            for (int b = 0x80; b <= 0xFF; ++b) {
                if (CodePointOf(static_cast<unsigned char>(b)) == code) {
                    byte = static_cast<char>(b);
                    break;
                }
            }
        }
        result += byte;
    }
    return result;
}

std::string Utf8ToCp1255(std::string_view text)
{
    std::u16string unicode;
    unicode.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        Utf8Char next = DecodeUtf8(text, at);
        // Past the 16 bits, or no character at all: a unit that maps to no byte.
        unicode += next.valid && next.code <= 0xFFFF ? static_cast<char16_t>(next.code) : u'\uFFFD';
        at += next.length;
    }
    return Utf16ToCp1255(unicode);
}

}  // namespace hebrew_text
