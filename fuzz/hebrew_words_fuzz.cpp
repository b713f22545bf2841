// The readers of Hebrew words: a numeral's value written back reads the same, a month found by
// one of its spellings is found by its own names, and a text made plain stays as it is when made
// plain again. Input: one byte choosing the reader (a day's numeral, a year's, a month name),
// then the text; every text is also made plain.

#include <string>
#include <string_view>

#include "engine/hebrew_date.h"
#include "fuzz/fuzz_check.h"
#include "hebrew_text/month_names.h"
#include "hebrew_text/numerals.h"
#include "hebrew_text/reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 1024) {
        return 0;
    }
    unsigned choice = data[0] % 3;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::string plain = hebrew_text::PlainText(text);
    FUZZ_CHECK(hebrew_text::PlainText(plain) == plain, text);
    FUZZ_CHECK(hebrew_text::IsPlain(plain), text);
    FUZZ_CHECK(!hebrew_text::IsPlain(text) || plain == text, text);
    FUZZ_CHECK(!hebrew_text::IsValidUtf8(text) || hebrew_text::IsValidUtf8(plain), text);

    if (choice < 2) {
        bool year = choice == 1;
        int value = hebrew_text::HebrewNumeralValue(text, year);
        FUZZ_CHECK(value == -1 || value > 0, text);
        FUZZ_CHECK(hebrew_text::HebrewNumeralValue(plain, year) == value, text);
        // Years past the supported range are refused by the date reader before they are written.
        if (value > 0 && value <= engine::LastHebrewYear) {
            std::string written = hebrew_text::HebrewNumeralUtf8(value);
            FUZZ_CHECK(hebrew_text::HebrewNumeralValue(written, year) == value, std::string(text) + " -> " + written);
        }
        return 0;
    }
    std::optional<hebrew_text::HebrewMonth> month = hebrew_text::HebrewMonthByName(text);
    FUZZ_CHECK(hebrew_text::HebrewMonthByName(plain) == month, text);
    if (month) {
        const hebrew_text::HebrewMonthEntry& entry = hebrew_text::HebrewMonthEntryOf(*month);
        FUZZ_CHECK(hebrew_text::HebrewMonthByName(hebrew_text::HebrewMonthFullName(*month)) == month, text);
        FUZZ_CHECK(hebrew_text::HebrewMonthByName(entry.latin) == month, text);
    }
    return 0;
}
