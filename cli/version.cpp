#include "cli/version.h"

namespace cli {

std::string_view ProgramVersion()
{
    return DETRON_VERSION;
}

}  // namespace cli
