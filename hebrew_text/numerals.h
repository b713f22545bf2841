#pragma once
// Hebrew letter numerals: as the day and year lists show them (code page 1255 bytes), and in
// UTF-8 with the geresh and gershayim marks for the command line.

#include <string>

namespace hebrew_text {

// Alphabet position 1 ... 22 to its letter (bytes 0xE0 ... 0xFA, no final forms); 0 and every
// other value, fractions and negatives included, give the empty text.
std::string AlphabetLetter(double position);

// Tens digit 1 ... 9 to its letter; 0 and every other value give the empty text.
std::string TensLetter(double digit);

// Hundreds digit 1 ... 9 to its letters, 400 first ("תתק" for 9); 0 and every other value
// give the empty text.
std::string HundredsLetters(double digit);

// The numeral of a whole number: thousands letter and an apostrophe (above 999), then
// hundreds, tens and units letters, with 15 and 16 written as 9 + 6 and 9 + 7. 0 is the empty
// text, 5784 is "ה'תשפד". Meant for 0 ... 6000; larger values follow the same steps.
std::string HebrewNumeral(double value);

// The same letters in UTF-8, for everything outside the window, marked as Hebrew writes
// numerals: a single letter takes a geresh after it (U+05F3, "א׳"), two or more a gershayim
// before the last (U+05F4, "ט״ו", "תשפ״ד"), and the thousands letter a geresh of its own
// ("ה׳תשפ״ד"; 5000 is "ה׳"). 0 and negative values give the empty text. Meant for 1 ... 6001.
std::string HebrewNumeralUtf8(int value);

}  // namespace hebrew_text
