#include "cli/writer.h"

#include "cli/day_fields.h"

namespace cli {

std::unique_ptr<Writer> MakeWriter(Format format, const CivilCalendar& calendar, Columns columns, std::string_view stamp)
{
    switch (format) {
    case Format::Csv: return MakeCsvWriter(calendar, columns);
    case Format::Json: return MakeJsonWriter(calendar, columns);
    case Format::Ics: return MakeIcsWriter(calendar, stamp);
    case Format::Text: break;
    }
    return MakeTextWriter(calendar);
}

}  // namespace cli
