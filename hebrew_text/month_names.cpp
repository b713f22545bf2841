#include "hebrew_text/month_names.h"

#include "engine/hebrew_year.h"
#include "hebrew_text/cp1255.h"

namespace hebrew_text {

namespace {

constexpr Cp1255Literal January = u8"ינואר";
constexpr Cp1255Literal February = u8"פברואר";
constexpr Cp1255Literal March = u8"מרץ";
constexpr Cp1255Literal April = u8"אפריל";
constexpr Cp1255Literal May = u8"מאי";
constexpr Cp1255Literal June = u8"יוני";
constexpr Cp1255Literal July = u8"יולי";
constexpr Cp1255Literal August = u8"אוגוסט";
constexpr Cp1255Literal September = u8"ספטמבר";
constexpr Cp1255Literal October = u8"אוקטובר";
constexpr Cp1255Literal November = u8"נובמבר";
constexpr Cp1255Literal December = u8"דצמבר";

constexpr Cp1255Literal Tishri = u8"תשרי";
constexpr Cp1255Literal Heshvan = u8"חשון";
constexpr Cp1255Literal Kislev = u8"כסלו";
constexpr Cp1255Literal Tevet = u8"טבת";
constexpr Cp1255Literal Shevat = u8"שבט";
constexpr Cp1255Literal Adar = u8"אדר";
constexpr Cp1255Literal Nisan = u8"ניסן";
constexpr Cp1255Literal Iyar = u8"אייר";
constexpr Cp1255Literal Sivan = u8"סיון";
constexpr Cp1255Literal Tammuz = u8"תמוז";
constexpr Cp1255Literal Av = u8"אב";
constexpr Cp1255Literal Elul = u8"אלול";

// For the window, stored apostrophe first, then alef, dalet, resh, a space and bet, so that
// its left-to-right list shows the apostrophe after the bet.
constexpr Cp1255Literal SecondAdarForWindow = u8"'אדר ב";

// Outside the window, with the geresh mark as the numerals have it.
constexpr std::string_view FirstAdarUtf8 = "אדר א׳";
constexpr std::string_view SecondAdarUtf8 = "אדר ב׳";

using M = HebrewMonth;

// The window's bytes and the UTF-8 they were written in.
template <std::size_t N>
constexpr HebrewMonthEntry Entry(M month, const Cp1255Literal<N>& name, std::string_view latin)
{
    return {month, name.view(), latin, name.utf8()};
}

constexpr HebrewMonthEntry CommonYear[12] = {
    Entry(M::Tishri, Tishri, "Tishri"), Entry(M::Heshvan, Heshvan, "Heshvan"), Entry(M::Kislev, Kislev, "Kislev"),
    Entry(M::Tevet, Tevet, "Tevet"),    Entry(M::Shevat, Shevat, "Shevat"),    Entry(M::Adar, Adar, "Adar"),
    Entry(M::Nisan, Nisan, "Nisan"),    Entry(M::Iyar, Iyar, "Iyar"),          Entry(M::Sivan, Sivan, "Sivan"),
    Entry(M::Tammuz, Tammuz, "Tammuz"), Entry(M::Av, Av, "Av"),                Entry(M::Elul, Elul, "Elul"),
};

// The common year's list with the second Adar inserted after the first, which keeps Adar's
// window texts.
constexpr HebrewMonthEntry LeapYear[13] = {
    CommonYear[0], CommonYear[1], CommonYear[2], CommonYear[3], CommonYear[4],
    {M::AdarI, Adar.view(), "Adar I", FirstAdarUtf8},
    {M::AdarII, SecondAdarForWindow.view(), "Adar II", SecondAdarUtf8},
    CommonYear[6], CommonYear[7], CommonYear[8], CommonYear[9], CommonYear[10], CommonYear[11],
};

constexpr HebrewMonthSpelling OtherSpellings[] = {
    {M::Tishri, "Tishrei"},        {M::Tishri, "Tishre"},        {M::Heshvan, "Cheshvan"},
    {M::Heshvan, "Marcheshvan"},   {M::Heshvan, "Marheshvan"},   {M::Heshvan, "Mar Cheshvan"},
    {M::Kislev, "Chislev"},        {M::Tevet, "Teves"},          {M::Tevet, "Teveth"},
    {M::Shevat, "Shvat"},          {M::Shevat, "Shebat"},        {M::AdarI, "Adar 1"},
    {M::AdarI, "Adar Rishon"},     {M::AdarI, "Adar Aleph"},     {M::AdarI, "Adar Alef"},
    {M::AdarII, "Adar 2"},         {M::AdarII, "Adar Sheni"},    {M::AdarII, "Adar Bet"},
    {M::AdarII, "Adar Beth"},      {M::AdarII, "Adar Beis"},     {M::AdarII, "Veadar"},
    {M::Nisan, "Nissan"},          {M::Iyar, "Iyyar"},           {M::Tammuz, "Tamuz"},
    {M::Av, "Menachem Av"},        {M::Elul, "Ellul"},
    {M::Heshvan, "חשוון"},         {M::Heshvan, "מרחשון"},       {M::Heshvan, "מרחשוון"},
    {M::Kislev, "כסליו"},          {M::AdarI, "אדר א'"},         {M::AdarI, "אדר ראשון"},      {M::AdarII, "אדר שני"},
    {M::AdarII, "ואדר"},           {M::Iyar, "איר"},             {M::Sivan, "סיוון"},
    {M::Av, "מנחם אב"},
};

}  // namespace

std::span<const HebrewMonthSpelling> OtherMonthSpellings()
{
    return OtherSpellings;
}

std::span<const HebrewMonthEntry> HebrewMonthList(bool leap)
{
    if (leap) {
        return LeapYear;
    }
    return CommonYear;
}

std::span<const HebrewMonthEntry> HebrewMonthListOfYear(double year)
{
    return HebrewMonthList(engine::IsHebrewLeapYear(year));
}

int HebrewMonthPosition(HebrewMonth month, bool leap)
{
    if (month == M::Adar || month == M::AdarI) {
        month = leap ? M::AdarI : M::Adar;
    }
    std::span<const HebrewMonthEntry> list = HebrewMonthList(leap);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].month == month) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

const HebrewMonthEntry& HebrewMonthEntryOf(HebrewMonth month)
{
    bool leap = month != M::Adar;
    return HebrewMonthList(leap)[static_cast<std::size_t>(HebrewMonthPosition(month, leap)) - 1];
}

std::string_view HebrewMonthFullName(HebrewMonth month)
{
    return HebrewMonthEntryOf(month).utf8;
}

const std::array<std::string_view, 12> CivilMonthNames = {
    January.view(), February.view(), March.view(),     April.view(),   May.view(),      June.view(),
    July.view(),    August.view(),   September.view(), October.view(), November.view(), December.view(),
};

const std::array<std::string_view, 12> HebrewMonthNames = {
    CommonYear[0].windowText, CommonYear[1].windowText, CommonYear[2].windowText,  CommonYear[3].windowText,
    CommonYear[4].windowText, CommonYear[5].windowText, CommonYear[6].windowText,  CommonYear[7].windowText,
    CommonYear[8].windowText, CommonYear[9].windowText, CommonYear[10].windowText, CommonYear[11].windowText,
};

const std::string_view AdarName = CommonYear[5].windowText;
const std::string_view SecondAdarName = LeapYear[SecondAdarPosition].windowText;

}  // namespace hebrew_text
