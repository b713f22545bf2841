#pragma once
// Reading Hebrew dates as people and other programs write them, in UTF-8: with or without niqqud
// and cantillation marks, with any of the usual geresh and gershayim marks, with direction marks
// and non-breaking spaces pasted in. The writers of these texts are numerals.h and month_names.h.

#include <optional>
#include <string>
#include <string_view>

#include "hebrew_text/month_names.h"

namespace hebrew_text {

// The text with the marks that change no letter left out (niqqud, cantillation, the direction
// marks U+200E U+200F U+061C and the other invisible formatting characters, a byte-order mark),
// non-breaking spaces and the maqaf as spaces, and every geresh (' ׳ ‘ ’) as ' and every gershayim
// (" ״ “ ”) as ". Anything else, invalid UTF-8 included, is kept as it is.
std::string PlainText(std::string_view utf8);

// True when PlainText would change nothing: ASCII without a mark to translate, for instance.
bool IsPlain(std::string_view utf8);

// The geresh and gershayim marks PlainText knows, for --help and messages: "' \" ׳ ״ ‘ ’ “ ”".
extern const std::string_view GereshAndGershayimMarks;

// The value of a Hebrew letter numeral, with or without marks. Letters stand in falling order:
// hundreds (any number of tav, at most 900 in all), one tens and one units letter, with 15 and 16
// also as 9 + 6 and 9 + 7. In a year a first letter counts thousands when a geresh or a letter of
// greater value follows it ("ה'תשפ״ד" is 5784, "ה'" is 5000); a year written without thousands
// lies in the sixth thousand, as usually written ("תשפ״ד" is 5784). -1 for anything else,
// letters out of order included ("אא").
int HebrewNumeralValue(std::string_view text, bool year);

// True for a single letter with a geresh ("ה׳"), which in a year is its thousands written apart.
bool IsThousandsLetter(std::string_view text);

// The month a name stands for: the month list's own names (Latin, and Hebrew as UTF-8) and
// OtherMonthSpellings, in any letter case, with or without marks and niqqud, and a Hebrew name
// also with the prefix ב ("בניסן"). Nothing for a text that is none of them.
std::optional<HebrewMonth> HebrewMonthByName(std::string_view text);

}  // namespace hebrew_text
