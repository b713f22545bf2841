#pragma once
// The program's version, as the build names it.

#include <string_view>

namespace cli {

std::string_view ProgramVersion();

}  // namespace cli
