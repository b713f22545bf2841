#pragma once
// Hebrew literals written in UTF-8 in the source and turned into code page 1255 bytes while
// compiling, so that a reader sees the Hebrew and the program holds the bytes the window shows.

#include <cstddef>
#include <string>
#include <string_view>

#include "hebrew_text/utf8.h"

namespace hebrew_text {

// A text of at most N - 1 code page 1255 bytes, built at compile time, beside the UTF-8 it
// was written in.
template <std::size_t N>
struct Cp1255Literal {
    char bytes[N] = {};
    std::size_t size = 0;
    char source[N] = {};

    // Accepts ASCII and the Hebrew letters U+05D0 ... U+05EA (bytes 0xE0 ... 0xFA); any other
    // character stops the compilation.
    consteval Cp1255Literal(const char8_t (&utf8)[N])
    {
        for (std::size_t i = 0; i < N; ++i) {
            source[i] = static_cast<char>(utf8[i]);
        }
        Convert();
    }
    // The same from a plain literal, which the compiler keeps in UTF-8.
    consteval Cp1255Literal(const char (&utf8)[N])
    {
        for (std::size_t i = 0; i < N; ++i) {
            source[i] = utf8[i];
        }
        Convert();
    }

    constexpr std::string_view view() const { return {bytes, size}; }
    constexpr std::string_view utf8() const { return {source, N - 1}; }
    std::string str() const { return std::string(bytes, size); }

private:
    consteval void Convert()
    {
        std::string_view utf8 = this->utf8();
        for (std::size_t at = 0; at < utf8.size();) {
            Utf8Char c = DecodeUtf8(utf8, at);
            if (c.code < 0x80) {
                bytes[size++] = static_cast<char>(c.code);
            } else if (c.valid && c.code >= 0x05D0 && c.code <= 0x05EA) {
                bytes[size++] = static_cast<char>(0xE0u + (c.code - 0x05D0u));
            } else {
                throw "only ASCII and Hebrew letters have a code page 1255 byte here";
            }
            at += c.length;
        }
    }
};

}  // namespace hebrew_text
