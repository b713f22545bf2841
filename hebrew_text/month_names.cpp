#include "hebrew_text/month_names.h"

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

// Stored apostrophe first, then alef, dalet, resh, a space and bet.
constexpr Cp1255Literal SecondAdar = u8"'אדר ב";

}  // namespace

const std::array<std::string_view, 12> CivilMonthNames = {
    January.view(), February.view(), March.view(),     April.view(),   May.view(),      June.view(),
    July.view(),    August.view(),   September.view(), October.view(), November.view(), December.view(),
};

const std::array<std::string_view, 12> HebrewMonthNames = {
    Tishri.view(), Heshvan.view(), Kislev.view(), Tevet.view(), Shevat.view(), Adar.view(),
    Nisan.view(),  Iyar.view(),    Sivan.view(),  Tammuz.view(), Av.view(),    Elul.view(),
};

const std::string_view AdarName = Adar.view();
const std::string_view SecondAdarName = SecondAdar.view();

}  // namespace hebrew_text
