#pragma once
// The program's code page 1255 texts as Windows' wide strings and back, for the backend's files.

#include <string>
#include <string_view>

#include "hebrew_text/encoding.h"

namespace toolkit::win32 {

inline std::wstring Wide(std::string_view text)
{
    std::u16string unicode = hebrew_text::Cp1255ToUtf16(text);
    return std::wstring(unicode.begin(), unicode.end());
}

inline std::string Narrow(const wchar_t* text, std::size_t length)
{
    return hebrew_text::Utf16ToCp1255(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

}  // namespace toolkit::win32
