#include "cli/output.h"

namespace cli {

Output::Output(Console& console) : console_(console), buffer_(new char[BufferBytes]) {}

void Output::Append(std::string_view text)
{
    if (text.empty()) {
        return;
    }
    Flush();
    if (ok_ && !console_.Write(text.data(), text.size(), error_)) {
        ok_ = false;
    }
}

void Output::Flush()
{
    if (used_ > 0 && ok_ && !console_.Write(buffer_.get(), used_, error_)) {
        ok_ = false;
    }
    used_ = 0;
}

}  // namespace cli
