// The toolkit's clock operations: the local timestamp and date from local_date, and their texts.

#include <string>

#include "local_date/local_date.h"
#include "toolkit/toolkit.h"

namespace toolkit {

namespace {

std::string TwoDigits(int value)
{
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

bool TokenAt(std::string_view mask, std::size_t at, std::string_view token)
{
    if (mask.size() - at < token.size()) {
        return false;
    }
    for (std::size_t i = 0; i < token.size(); ++i) {
        char c = mask[at + i];
        if (c != token[i] && c != token[i] - 'a' + 'A') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::int64_t LocalTimestamp()
{
    return local_date::LocalTimestamp();
}

std::string FormatTimestamp(std::string_view mask, std::int64_t timestamp)
{
    local_date::ClockReading r{};
    local_date::ReadingOfTimestamp(timestamp, r);  // an unreadable timestamp leaves every field 0
    std::string year = std::to_string(r.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');

    std::string text;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != '%') {
            text += mask[i];
            continue;
        }
        std::size_t at = i + 1;
        if (TokenAt(mask, at, "yyyy")) {
            text += year;
            i += 4;
        } else if (TokenAt(mask, at, "yy")) {
            text += year.substr(2, 2);
            i += 2;
        } else if (TokenAt(mask, at, "mm")) {
            text += TwoDigits(r.month);
            i += 2;
        } else if (TokenAt(mask, at, "dd")) {
            text += TwoDigits(r.day);
            i += 2;
        } else if (TokenAt(mask, at, "hh")) {
            text += TwoDigits(r.hour);
            i += 2;
        } else if (TokenAt(mask, at, "ii")) {
            text += TwoDigits(r.minute);
            i += 2;
        } else if (TokenAt(mask, at, "ss")) {
            text += TwoDigits(r.second);
            i += 2;
        } else {
            text += '%';
        }
    }
    return text;
}

LocalDate CurrentLocalDate()
{
    // One reading for all three fields, so that midnight cannot split them over two days.
    std::int64_t now = LocalTimestamp();
    return {TextToNumber(FormatTimestamp("%dd", now)), TextToNumber(FormatTimestamp("%mm", now)),
            TextToNumber(FormatTimestamp("%yyyy", now))};
}

}  // namespace toolkit
