#include "hebrew_text/numerals.h"

#include <array>
#include <string_view>

#include "engine/contract.h"
#include "engine/hebrew_date.h"
#include "engine/numeric.h"
#include "hebrew_text/cp1255.h"
#include "hebrew_text/utf8.h"

namespace hebrew_text {

namespace {

// Letters written once, kept as the window's bytes and as UTF-8; index 0 is the empty text.
template <Cp1255Literal... Texts>
struct LetterTable {
    static constexpr std::size_t Size = sizeof...(Texts);
    static constexpr std::array<std::string_view, Size> cp1255 = {Texts.view()...};
    static constexpr std::array<std::string_view, Size> utf8 = {Texts.utf8()...};
};

using Alphabet = LetterTable<u8"", u8"א", u8"ב", u8"ג", u8"ד", u8"ה", u8"ו", u8"ז", u8"ח", u8"ט", u8"י", u8"כ",
                             u8"ל", u8"מ", u8"נ", u8"ס", u8"ע", u8"פ", u8"צ", u8"ק", u8"ר", u8"ש", u8"ת">;
using Tens = LetterTable<u8"", u8"י", u8"כ", u8"ל", u8"מ", u8"נ", u8"ס", u8"ע", u8"פ", u8"צ">;
using Hundreds = LetterTable<u8"", u8"ק", u8"ר", u8"ש", u8"ת", u8"תק", u8"תר", u8"תש", u8"תת", u8"תתק">;

// The index of a table keyed by the whole numbers 0 ... size - 1, matched by exact equality: a
// fraction, a negative value or one past the last key finds 0, the empty text.
template <class Table>
std::size_t IndexOf(double key)
{
    for (std::size_t i = 0; i < Table::Size; ++i) {
        if (key == static_cast<double>(i)) {
            return i;
        }
    }
    return 0;
}

// Which letters a numeral has, the one rule both writers follow: table indices for the
// thousands, hundreds and tens, and the units' alphabet position. Fifteen and sixteen are
// 9 + 6 and 9 + 7, so that no numeral spells a divine name; the nine is then a units letter.
struct NumeralLetters {
    std::size_t thousands, hundreds, tens, nine, units;
};

NumeralLetters LettersOf(double value)
{
    using engine::RealMod;
    using engine::TruncToInt;

    NumeralLetters letters{IndexOf<Alphabet>(TruncToInt(value / 1000)),
                           IndexOf<Hundreds>(TruncToInt(RealMod(value, 1000) / 100)),
                           IndexOf<Tens>(TruncToInt(RealMod(value, 100) / 10)), 0, IndexOf<Alphabet>(RealMod(value, 10))};
    if (letters.tens == 1 && (letters.units == 5 || letters.units == 6)) {
        letters.tens = 0;
        letters.nine = 9;
        ++letters.units;
    }
    return letters;
}

template <class Table>
std::string_view TextOf(std::size_t index, bool utf8)
{
    return utf8 ? Table::utf8[index] : Table::cp1255[index];
}

// The letters below the thousands, as the window's bytes or as UTF-8.
std::string BelowThousand(const NumeralLetters& letters, bool utf8)
{
    std::string text;
    text.append(TextOf<Hundreds>(letters.hundreds, utf8)).append(TextOf<Tens>(letters.tens, utf8));
    text.append(TextOf<Alphabet>(letters.nine, utf8)).append(TextOf<Alphabet>(letters.units, utf8));
    return text;
}

// The Hebrew punctuation marks U+05F3 and U+05F4, not the ASCII apostrophe and quote.
constexpr std::string_view Geresh = "׳";
constexpr std::string_view Gershayim = "״";

}  // namespace

std::string AlphabetLetter(double position)
{
    return std::string(Alphabet::cp1255[IndexOf<Alphabet>(position)]);
}

std::string TensLetter(double digit)
{
    return std::string(Tens::cp1255[IndexOf<Tens>(digit)]);
}

std::string HundredsLetters(double digit)
{
    return std::string(Hundreds::cp1255[IndexOf<Hundreds>(digit)]);
}

std::string HebrewNumeral(double value)
{
    NumeralLetters letters = LettersOf(value);
    std::string numeral(Alphabet::cp1255[letters.thousands]);
    numeral += value > 999 ? "'" : "";
    return numeral.append(BelowThousand(letters, false));
}

std::string HebrewNumeralUtf8(int value)
{
    // Past it the thousands letter would stand for another number.
    DETRON_EXPECTS(value <= engine::LastHebrewYear, "a numeral up to 6001");
    if (value < 1) {
        return {};
    }
    NumeralLetters letters = LettersOf(value);
    std::string numeral(Alphabet::utf8[letters.thousands]);
    if (letters.thousands != 0) {
        numeral += Geresh;
    }
    std::string rest = BelowThousand(letters, true);
    std::size_t count = Utf8Length(rest);
    if (count == 1) {
        rest += Geresh;
    } else if (count > 1) {
        rest.insert(Utf8CharStart(rest, rest.size() - 1), Gershayim);
    }
    return numeral.append(rest);
}

}  // namespace hebrew_text
