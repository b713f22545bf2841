#include "hebrew_text/utf8.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace hebrew_text {
namespace {

// The first character of each text, and what a stream reader holds back of the text.
TEST(Utf8, TellingSequences)
{
    struct Row {
        std::string_view bytes;
        char32_t code;
        std::size_t length;
        bool valid;
        std::size_t unfinished;
        const char* note;
    };
    const Row rows[] = {
        {"A", 'A', 1, true, 0, "ASCII"},
        {"\x7F", 0x7F, 1, true, 0, "DEL is a character"},
        {"\xC2\x80", 0x80, 2, true, 0, "first two-byte value"},
        {"\xD7\x90", 0x05D0, 2, true, 0, "alef"},
        {"\xDF\xBF", 0x07FF, 2, true, 0, "last two-byte value"},
        {"\xE0\xA0\x80", 0x0800, 3, true, 0, "first three-byte value"},
        {"\xED\x9F\xBF", 0xD7FF, 3, true, 0, "just below the surrogates"},
        {"\xEE\x80\x80", 0xE000, 3, true, 0, "just above them"},
        {"\xEF\xBF\xBF", 0xFFFF, 3, true, 0, "last three-byte value"},
        {"\xF0\x90\x80\x80", 0x10000, 4, true, 0, "first four-byte value"},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4, true, 0, "last code point"},
        {"\xC0\xA7", 0xC0, 1, false, 0, "overlong apostrophe"},
        {"\xC1\xBF", 0xC1, 1, false, 0, "overlong DEL"},
        {"\xE0\x9F\xBF", 0xE0, 1, false, 0, "overlong U+07FF"},
        {"\xF0\x8F\xBF\xBF", 0xF0, 1, false, 0, "overlong U+FFFF"},
        {"\xED\xA0\x80", 0xED, 1, false, 0, "first surrogate"},
        {"\xED\xBF\xBF", 0xED, 1, false, 0, "last surrogate"},
        {"\xF4\x90\x80\x80", 0xF4, 1, false, 0, "U+110000"},
        {"\xF5\x80\x80\x80", 0xF5, 1, false, 0, "lead of nothing"},
        {"\xFF", 0xFF, 1, false, 0, "never in UTF-8"},
        {"\x80", 0x80, 1, false, 0, "stray continuation byte"},
        {"\xD7", 0xD7, 1, false, 1, "alef cut after its first byte"},
        {"\xE2\x80", 0xE2, 1, false, 2, "cut three-byte sequence"},
        {"\xF0\x9F\x98", 0xF0, 1, false, 3, "cut four-byte sequence"},
        {"\xE0\x80", 0xE0, 1, false, 0, "cut, but overlong whatever follows"},
        {"\xF4\x90", 0xF4, 1, false, 0, "cut, but past U+10FFFF whatever follows"},
        {"\xD7\x41", 0xD7, 1, false, 0, "second byte no continuation"},
        {"\xD7\x90\xD7", 0x05D0, 2, true, 1, "a whole letter, then a cut one"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        Utf8Char c = DecodeUtf8(row.bytes, 0);
        EXPECT_EQ(c.code, row.code);
        EXPECT_EQ(c.length, row.length);
        EXPECT_EQ(c.valid, row.valid);
        EXPECT_EQ(Utf8UnfinishedTail(row.bytes), row.unfinished);
    }
}

// Every string of four bytes from an alphabet of telling bytes, walked character by character:
// the walk covers the text, counts as Utf8Length, validates as IsValidUtf8, and each byte's
// character begins where Utf8CharStart says; every valid character re-encodes to its bytes.
// Cut anywhere, a valid text holds back exactly the cut character's bytes.
TEST(Utf8, EveryShortTextWalksConsistently)
{
    const unsigned char alphabet[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0,
                                      0xC2, 0xD7, 0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    constexpr std::size_t Size = sizeof alphabet;
    int failures = 0;
    for (std::size_t n = 0; n < Size * Size * Size * Size && failures < 5; ++n) {
        std::string text;
        for (std::size_t k = n, i = 0; i < 4; ++i, k /= Size) {
            text += static_cast<char>(alphabet[k % Size]);
        }
        std::vector<std::size_t> startOf(text.size());
        std::size_t count = 0;
        bool valid = true;
        for (std::size_t at = 0; at < text.size(); ++count) {
            Utf8Char c = DecodeUtf8(text, at);
            std::string again;
            AppendUtf8(again, c.code);
            if (c.valid && again != text.substr(at, c.length)) {
                ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c.code) << " re-encodes otherwise";
                ++failures;
            }
            valid = valid && c.valid;
            for (std::size_t i = at; i < at + c.length; ++i) {
                startOf[i] = at;
            }
            at += c.length;
        }
        bool ok = Utf8Length(text) == count && IsValidUtf8(text) == valid && Utf8CharStart(text, 4) == 4;
        for (std::size_t i = 0; i < text.size(); ++i) {
            ok = ok && Utf8CharStart(text, i) == startOf[i];
            ok = ok && (!valid || Utf8UnfinishedTail(text.substr(0, i)) == i - Utf8CharStart(text, i));
        }
        if (!ok) {
            ADD_FAILURE() << "text " << ::testing::PrintToString(text);
            ++failures;
        }
    }
}

// Every code point and surrogate written and read back.
TEST(Utf8, EveryCodePointRoundTrips)
{
    for (char32_t code = 0; code <= 0x110000; ++code) {
        std::string bytes;
        AppendUtf8(bytes, code);
        bool replaced = code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
        Utf8Char back = DecodeUtf8(bytes, 0);
        if (back.code != (replaced ? 0xFFFD : code) || back.length != bytes.size() || !back.valid) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(code);
            break;
        }
    }
}

// As the command line's messages have always shown input.
TEST(Utf8, EscapedForMessage)
{
    struct Row {
        std::string_view text;
        std::string_view shown;
    };
    const Row rows[] = {
        {"15 Nisan 5784", "15 Nisan 5784"},
        {"\xD7\x98\xD7\xB4\xD7\x95 \xF0\x9F\x98\x80", "\xD7\x98\xD7\xB4\xD7\x95 \xF0\x9F\x98\x80"},
        {"a\x1B[2Jb\x7F", "a\\x1B[2Jb\\x7F"},
        {"line\nnext\t", "line\\x0Anext\\x09"},
        {"\xC2\x85\xC2\x9B", "\\u0085\\u009B"},
        {"\xD8\x9C\xE2\x80\x8B\xE2\x80\x8F\xE2\x80\xA8\xE2\x80\xAE", "\\u061C\\u200B\\u200F\\u2028\\u202E"},
        {"\xE2\x81\xA0\xE2\x81\xA9\xEF\xBB\xBF", "\\u2060\\u2069\\uFEFF"},
        {"\xE2\x80\x8A\xE2\x80\xAF\xE2\x81\xAA", "\xE2\x80\x8A\xE2\x80\xAF\xE2\x81\xAA"},
        {"\xFF\xC0\xA7\xED\xA0\x80", "\\xFF\\xC0\\xA7\\xED\\xA0\\x80"},
        {"cut \xE2\x80", "cut \\xE2\\x80"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.text));
        EXPECT_EQ(EscapedForMessage(row.text), row.shown);
    }
}

}  // namespace
}  // namespace hebrew_text
