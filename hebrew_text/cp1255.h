#pragma once
// Hebrew literals written in UTF-8 in the source and turned into code page 1255 bytes while
// compiling, so that a reader sees the Hebrew and the program holds the bytes the window shows.

#include <cstddef>
#include <string>
#include <string_view>

namespace hebrew_text {

// A text of at most N - 1 code page 1255 bytes, built at compile time.
template <std::size_t N>
struct Cp1255Literal {
    char bytes[N] = {};
    std::size_t size = 0;

    // Accepts ASCII and the Hebrew letters U+05D0 ... U+05EA (bytes 0xE0 ... 0xFA); any other
    // character stops the compilation.
    consteval Cp1255Literal(const char8_t (&utf8)[N])
    {
        for (std::size_t i = 0; i + 1 < N; ++i) {
            unsigned lead = utf8[i];
            if (lead < 0x80) {
                bytes[size++] = static_cast<char>(lead);
                continue;
            }
            unsigned trail = i + 2 < N ? static_cast<unsigned>(utf8[i + 1]) : 0u;
            unsigned code = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
            if ((lead & 0xE0u) != 0xC0u || (trail & 0xC0u) != 0x80u || code < 0x05D0 || code > 0x05EA) {
                throw "only ASCII and Hebrew letters have a code page 1255 byte here";
            }
            bytes[size++] = static_cast<char>(0xE0u + (code - 0x05D0u));
            ++i;
        }
    }

    constexpr std::string_view view() const { return {bytes, size}; }
    std::string str() const { return std::string(bytes, size); }
};

}  // namespace hebrew_text
