#pragma once
// Standard output through one large buffer; messages go out only after what came before them.

#include <memory>
#include <string>
#include <string_view>

#include "cli/console.h"
#include "cli/writer.h"

namespace cli {

class Output {
public:
    explicit Output(Console& console);

    // Space for one line of at most Writer::MaxLineBytes.
    char* Reserve()
    {
        if (BufferBytes - used_ < Writer::MaxLineBytes) {
            Flush();
        }
        return buffer_.get() + used_;
    }
    void Commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
    void Append(std::string_view text);
    void Flush();
    bool Ok() const { return ok_; }
    // Why the output failed; empty when its reader went away.
    const std::string& Error() const { return error_; }

private:
    static constexpr std::size_t BufferBytes = 1 << 20;

    Console& console_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
    std::string error_;
};

}  // namespace cli
