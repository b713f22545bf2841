#pragma once
// What the fuzz targets share: the check of a property, which stops the run as a crash does so
// that libFuzzer keeps the input and the replay fails on it, and the property every text shown
// to a person has.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hebrew_text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

[[noreturn]] inline void PropertyFailed(const char* property, std::string_view detail, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n  %s\n", file, line, property,
                 hebrew_text::EscapedForMessage(detail).c_str());
    std::fflush(stderr);
    std::abort();
}

// True for what a terminal would act on instead of showing, or that would reorder or hide the
// text around it: the characters EscapedForMessage writes as escapes.
inline bool IsHiddenOrControl(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x061C || (code >= 0x200B && code <= 0x200F) ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2060 && code <= 0x2069) || code == 0xFEFF;
}

// Valid UTF-8 with nothing hidden or controlling in it; newlines only where `lines` allows them.
inline bool IsShowable(std::string_view text, bool lines = false)
{
    for (std::size_t at = 0; at < text.size();) {
        hebrew_text::Utf8Char c = hebrew_text::DecodeUtf8(text, at);
        if (!c.valid || (IsHiddenOrControl(c.code) && !(lines && c.code == '\n'))) {
            return false;
        }
        at += c.length;
    }
    return true;
}

}  // namespace fuzz

#define FUZZ_CHECK(condition, detail) \
    ((condition) ? static_cast<void>(0) : fuzz::PropertyFailed(#condition, (detail), __FILE__, __LINE__))
