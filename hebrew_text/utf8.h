#pragma once
// UTF-8 as the command line reads and writes it, decoded by one strict rule so that every
// reader of a text agrees on what its characters are. Code page 1255, the window's bytes, is in
// hebrew_text/encoding.h.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/contract.h"

namespace hebrew_text {

// One character of a UTF-8 text, or one byte that begins none.
struct Utf8Char {
    char32_t code;       // the code point; for an invalid byte, the byte's value
    std::size_t length;  // bytes, 1 ... 4; always 1 when !valid
    bool valid;
};

namespace detail {

// How many bytes a sequence led by `lead` has: 1 for ASCII, 2 ... 4, or 0 for a byte that
// leads none (a continuation byte, 0xC0, 0xC1 and 0xF5 ... 0xFF).
constexpr std::size_t Utf8SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
}

// The bytes that may follow `lead` second: narrower than 0x80 ... 0xBF exactly where a wider
// range would let in an overlong form (E0, F0), a surrogate (ED) or a value past U+10FFFF (F4).
struct ByteRange {
    unsigned char low, high;
};
constexpr ByteRange Utf8SecondByte(unsigned char lead)
{
    switch (lead) {
    case 0xE0: return {0xA0, 0xBF};
    case 0xED: return {0x80, 0x9F};
    case 0xF0: return {0x90, 0xBF};
    case 0xF4: return {0x80, 0x8F};
    default: return {0x80, 0xBF};
    }
}

}  // namespace detail

// The character that begins at byte `at` (at < text.size()). Overlong forms, surrogates, values
// past U+10FFFF, sequences cut short and stray continuation bytes are invalid; an invalid byte
// is one character of its own, so that reading goes on at the next byte. Inline and constexpr:
// readers run it on every byte, and compile-time literals are decoded by it too.
constexpr Utf8Char DecodeUtf8(std::string_view text, std::size_t at)
{
    DETRON_EXPECTS(at < text.size(), "a character begins inside the text");
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    unsigned char lead = byte(0);
    std::size_t length = detail::Utf8SequenceLength(lead);
    if (length == 1) {
        return {lead, 1, true};
    }
    Utf8Char invalid{lead, 1, false};
    if (length == 0 || text.size() - at < length) {
        return invalid;
    }
    detail::ByteRange second = detail::Utf8SecondByte(lead);
    if (byte(1) < second.low || byte(1) > second.high) {
        return invalid;
    }
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return invalid;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    return {code, length, true};
}

// True when every byte of the text belongs to a valid character; the empty text is valid.
bool IsValidUtf8(std::string_view text);

// Where the character that holds byte `at` begins (at <= text.size(); the end gives the end):
// cutting a text there never splits a character. A byte of no valid character begins itself.
std::size_t Utf8CharStart(std::string_view text, std::size_t at);

// How many bytes at the end of the text (0 ... 3) begin a character that more bytes could still
// finish: what a reader of a stream in blocks holds back for the next block.
std::size_t Utf8UnfinishedTail(std::string_view text);

// The number of characters, an invalid byte counting as one.
std::size_t Utf8Length(std::string_view text);

// Appends the UTF-8 of a code point: U+0000 ... U+10FFFF except the surrogates; any other value
// appends U+FFFD, the replacement character.
void AppendUtf8(std::string& out, char32_t code);

// The text made safe to show in a message on a terminal: each byte that is no UTF-8 as \xNN,
// each control byte (U+0000 ... U+001F, DEL) as \xNN too, and the C1 controls and the
// characters that reorder or hide text (U+061C, U+200B ... U+200F, U+2028 ... U+202E,
// U+2060 ... U+2069, U+FEFF) as \uNNNN, all in upper-case hex; everything else as it is.
std::string EscapedForMessage(std::string_view text);

}  // namespace hebrew_text
