// The conversions of bytes: UTF-8's decoder and its helpers agree with each other, messages show
// no raw control or direction character, code page 1255 comes back from UTF-16 byte for byte and
// gives valid UTF-8, and an iCalendar line folds into lines of at most 75 octets that unfold to
// the line, its TEXT value unescaping to the text.

#include <string>
#include <string_view>

#include "cli/ics.h"
#include "fuzz/fuzz_check.h"
#include "hebrew_text/encoding.h"
#include "hebrew_text/utf8.h"

namespace {

// The TEXT value read back: what IcsText escaped, without the carriage returns it leaves out.
std::string Unescaped(std::string_view value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
            text += value[i] == 'n' ? '\n' : value[i];
        } else {
            text += value[i];
        }
    }
    return text;
}

void CheckUtf8(std::string_view text)
{
    using namespace hebrew_text;
    bool valid = true;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++characters) {
        Utf8Char c = DecodeUtf8(text, at);
        FUZZ_CHECK(c.length >= 1 && c.length <= 4 && at + c.length <= text.size(), text);
        valid = valid && c.valid;
        // Every byte of a character leads back to its first.
        for (std::size_t i = 0; i < c.length; ++i) {
            FUZZ_CHECK(Utf8CharStart(text, at + i) == (c.valid ? at : at + i), text);
        }
        if (c.valid) {
            std::string again;
            AppendUtf8(again, c.code);
            FUZZ_CHECK(again == text.substr(at, c.length), text);
        }
        at += c.length;
    }
    FUZZ_CHECK(IsValidUtf8(text) == valid, text);
    FUZZ_CHECK(Utf8Length(text) == characters, text);
    std::size_t tail = Utf8UnfinishedTail(text);
    FUZZ_CHECK(tail <= 3 && (!valid || tail == 0), text);
    FUZZ_CHECK(fuzz::IsShowable(EscapedForMessage(text)), text);
}

void CheckCp1255(std::string_view bytes)
{
    using namespace hebrew_text;
    std::u16string wide = Cp1255ToUtf16(bytes);
    FUZZ_CHECK(wide.size() == bytes.size(), bytes);
    FUZZ_CHECK(Utf16ToCp1255(wide) == bytes, bytes);
    std::string utf8 = Cp1255ToUtf8(bytes);
    FUZZ_CHECK(IsValidUtf8(utf8), bytes);
    std::string fromWide;
    for (char16_t unit : wide) {
        AppendUtf8(fromWide, unit);
    }
    FUZZ_CHECK(utf8 == fromWide, bytes);
}

void CheckIcs(std::string_view text)
{
    std::string line = "DESCRIPTION:" + cli::IcsText(text);
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, text);
    std::string folded = cli::IcsFolded(line);
    FUZZ_CHECK(folded.size() >= 2 && folded.compare(folded.size() - 2, 2, "\r\n") == 0, text);
    FUZZ_CHECK(!hebrew_text::IsValidUtf8(text) || hebrew_text::IsValidUtf8(folded), text);
    std::string unfolded;
    for (std::size_t start = 0; start < folded.size();) {
        std::size_t end = folded.find("\r\n", start);
        FUZZ_CHECK(end != std::string::npos && end - start <= 75, folded);
        std::string_view part = std::string_view(folded).substr(start, end - start);
        if (start > 0) {
            FUZZ_CHECK(!part.empty() && part.front() == ' ', folded);
            part.remove_prefix(1);
        }
        // A fold never splits a character of valid text.
        FUZZ_CHECK(!hebrew_text::IsValidUtf8(line) || hebrew_text::IsValidUtf8(part), folded);
        unfolded.append(part);
        start = end + 2;
    }
    FUZZ_CHECK(unfolded == line, folded);
    std::string withoutReturns;
    for (char c : text) {
        if (c != '\r') {
            withoutReturns += c;
        }
    }
    FUZZ_CHECK(Unescaped(unfolded.substr(12)) == withoutReturns, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096) {
        return 0;
    }
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckUtf8(bytes);
    CheckCp1255(bytes);
    CheckIcs(bytes);
    return 0;
}
