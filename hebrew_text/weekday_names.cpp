#include "hebrew_text/weekday_names.h"

#include "hebrew_text/cp1255.h"

namespace hebrew_text {

namespace {

constexpr Cp1255Literal Sunday = u8"יום ראשון";
constexpr Cp1255Literal Monday = u8"יום שני";
constexpr Cp1255Literal Tuesday = u8"יום שלישי";
constexpr Cp1255Literal Wednesday = u8"יום רביעי";
constexpr Cp1255Literal Thursday = u8"יום חמישי";
constexpr Cp1255Literal Friday = u8"יום שישי";
constexpr Cp1255Literal Shabbat = u8"שבת";

template <std::size_t N>
constexpr WeekdayName Entry(std::string_view latin, const Cp1255Literal<N>& hebrew)
{
    return {latin, hebrew.view(), hebrew.utf8()};
}

}  // namespace

const std::array<WeekdayName, 7> WeekdayNames = {
    Entry("Sunday", Sunday),     Entry("Monday", Monday), Entry("Tuesday", Tuesday),   Entry("Wednesday", Wednesday),
    Entry("Thursday", Thursday), Entry("Friday", Friday), Entry("Saturday", Shabbat),
};

}  // namespace hebrew_text
