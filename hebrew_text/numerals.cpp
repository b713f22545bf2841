#include "hebrew_text/numerals.h"

#include <array>
#include <string_view>

#include "engine/numeric.h"
#include "hebrew_text/cp1255.h"
#include "hebrew_text/encoding.h"
#include "hebrew_text/utf8.h"

namespace hebrew_text {

namespace {

template <Cp1255Literal... Texts>
constexpr std::array<std::string_view, sizeof...(Texts)> TextTable()
{
    return {Texts.view()...};
}

constexpr auto Alphabet = TextTable<u8"", u8"א", u8"ב", u8"ג", u8"ד", u8"ה", u8"ו", u8"ז", u8"ח",
                                    u8"ט", u8"י", u8"כ", u8"ל", u8"מ", u8"נ", u8"ס", u8"ע", u8"פ",
                                    u8"צ", u8"ק", u8"ר", u8"ש", u8"ת">();
constexpr auto Tens = TextTable<u8"", u8"י", u8"כ", u8"ל", u8"מ", u8"נ", u8"ס", u8"ע", u8"פ", u8"צ">();
constexpr auto Hundreds = TextTable<u8"", u8"ק", u8"ר", u8"ש", u8"ת", u8"תק", u8"תר", u8"תש", u8"תת",
                                    u8"תתק">();

constexpr Cp1255Literal TenFive = u8"יה";
constexpr Cp1255Literal TenSix = u8"יו";
constexpr Cp1255Literal NineSix = u8"טו";
constexpr Cp1255Literal NineSeven = u8"טז";

// A table keyed by the whole numbers 0 ... size - 1, matched by exact equality: a fraction,
// a negative value or one past the last key finds nothing.
template <std::size_t N>
std::string_view Lookup(const std::array<std::string_view, N>& table, double key)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (key == static_cast<double>(i)) {
            return table[i];
        }
    }
    return {};
}

}  // namespace

std::string AlphabetLetter(double position)
{
    return std::string(Lookup(Alphabet, position));
}

std::string TensLetter(double digit)
{
    return std::string(Lookup(Tens, digit));
}

std::string HundredsLetters(double digit)
{
    return std::string(Lookup(Hundreds, digit));
}

namespace {

// The letters of a numeral, in code page 1255: the one rule both writers follow.
struct NumeralLetters {
    std::string_view thousands;  // empty below 1000
    std::string belowThousand;   // hundreds, tens and units
};

NumeralLetters LettersOf(double value)
{
    using engine::RealMod;
    using engine::TruncToInt;

    std::string_view thousands = Lookup(Alphabet, TruncToInt(value / 1000));
    std::string_view hundreds = Lookup(Hundreds, TruncToInt(RealMod(value, 1000) / 100));
    std::string_view tens = Lookup(Tens, TruncToInt(RealMod(value, 100) / 10));
    std::string_view units = Lookup(Alphabet, RealMod(value, 10));

    // Fifteen and sixteen are written 9 + 6 and 9 + 7, so that no numeral spells a divine name.
    std::string lastTwo = std::string(tens) + std::string(units);
    if (lastTwo == TenFive.view()) {
        tens = NineSix.view().substr(0, 1);
        units = NineSix.view().substr(1);
    } else if (lastTwo == TenSix.view()) {
        tens = NineSeven.view().substr(0, 1);
        units = NineSeven.view().substr(1);
    }
    NumeralLetters letters{thousands, {}};
    letters.belowThousand.reserve(hundreds.size() + tens.size() + units.size());
    letters.belowThousand.append(hundreds).append(tens).append(units);
    return letters;
}

// The Hebrew punctuation marks U+05F3 and U+05F4, not the ASCII apostrophe and quote.
constexpr std::string_view Geresh = "׳";
constexpr std::string_view Gershayim = "״";

}  // namespace

std::string HebrewNumeral(double value)
{
    NumeralLetters letters = LettersOf(value);
    std::string_view mark = value > 999 ? "'" : "";
    std::string numeral;
    numeral.reserve(letters.thousands.size() + mark.size() + letters.belowThousand.size());
    numeral.append(letters.thousands).append(mark).append(letters.belowThousand);
    return numeral;
}

std::string HebrewNumeralUtf8(int value)
{
    if (value < 1) {
        return {};
    }
    NumeralLetters letters = LettersOf(value);
    std::string numeral = Cp1255ToUtf8(letters.thousands);
    if (!letters.thousands.empty()) {
        numeral += Geresh;
    }
    std::string rest = Cp1255ToUtf8(letters.belowThousand);
    if (letters.belowThousand.size() == 1) {
        rest += Geresh;
    } else if (letters.belowThousand.size() > 1) {
        rest.insert(Utf8CharStart(rest, rest.size() - 1), Gershayim);
    }
    return numeral + rest;
}

}  // namespace hebrew_text
