#pragma once
// Code page 1255 <-> Unicode, for the window's platforms and the command line. Every byte has a code
// point: the bytes the code page leaves unassigned go to U+F700 + byte in the private use area,
// so any text survives the round trip unchanged.

#include <string>
#include <string_view>

namespace hebrew_text {

std::u16string Cp1255ToUtf16(std::string_view text);
// The same into a buffer of text.size() units, one for each byte.
void Cp1255ToUtf16(std::string_view text, char16_t* out);

// Code points the code page lacks become "?".
std::string Utf16ToCp1255(std::u16string_view text);

// UTF-8 of code page 1255 text, byte for byte as the window shows it.
std::string Cp1255ToUtf8(std::string_view text);

// Code page 1255 of UTF-8 text, for a text made outside the window (the observances' names):
// code points the code page lacks, and bytes that are no UTF-8, become "?".
std::string Utf8ToCp1255(std::string_view text);

}  // namespace hebrew_text
