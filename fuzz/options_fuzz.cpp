// The option parser fed whole argument vectors, and the converter run on them: a usage problem
// is a reason and exit status 2 with nothing on standard output; whatever runs writes messages a
// terminal shows as they are, and reaches no contract.
//
// Input: one byte of settings (standard input a terminal in bit 0), then the arguments apart by
// NUL bytes; what follows a second NUL in a row is standard input.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "cli/run.h"
#include "fuzz/fuzz_check.h"

namespace {

// Standard streams in memory. Output stops at a bound, as a full disk would stop it, so that a
// range over every day costs no more than a short one.
class MemoryConsole : public cli::Console {
public:
    MemoryConsole(std::string_view input, cli::InputKind kind) : input_(input), kind_(kind) {}

    std::size_t Read(char* buffer, std::size_t size, std::string&) override
    {
        std::size_t taken = std::min(size, input_.size());
        std::copy_n(input_.data(), taken, buffer);
        input_.remove_prefix(taken);
        return taken;
    }
    bool Write(const char* bytes, std::size_t size, std::string& error) override
    {
        if (output.size() + size > OutputBound) {
            error = "No space left on device";
            return false;
        }
        output.append(bytes, size);
        return true;
    }
    void WriteError(std::string_view message) override { errors += message; }
    cli::InputKind Input() override { return kind_; }

    static constexpr std::size_t OutputBound = 1 << 16;
    std::string output, errors;

private:
    std::string_view input_;
    cli::InputKind kind_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 2048) {
        return 0;
    }
    bool terminal = (data[0] & 1) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view input;
    if (std::size_t end = rest.find(std::string_view("\0\0", 2)); end != std::string_view::npos) {
        input = rest.substr(end + 2);
        rest = rest.substr(0, end);
    }
    std::vector<std::string> arguments;
    while (!rest.empty() && arguments.size() < 32) {
        std::size_t end = rest.find('\0');
        arguments.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }

    cli::ReadArguments read = cli::ReadOptions(arguments, terminal);
    int outcomes = (read.options ? 1 : 0) + (read.shown.empty() ? 0 : 1) + (read.problem.empty() ? 0 : 1);
    FUZZ_CHECK(outcomes == 1, read.problem + read.shown);

    MemoryConsole console(input, terminal ? cli::InputKind::Terminal : cli::InputKind::Stream);
    int status = cli::RunConverter(arguments, console, cli::CivilLabel{2026, 12, 8});
    FUZZ_CHECK(status == cli::ExitSuccess || status == cli::ExitSomeInputFailed || status == cli::ExitUsage,
               console.errors);
    FUZZ_CHECK(fuzz::IsShowable(console.errors, true), console.errors);
    if (!read.problem.empty()) {
        FUZZ_CHECK(status == cli::ExitUsage, read.problem);
    }
    if (status == cli::ExitUsage) {
        FUZZ_CHECK(console.output.empty() && !console.errors.empty(), console.errors);
    }
    if (!read.shown.empty()) {
        FUZZ_CHECK(status == cli::ExitSuccess && console.output == read.shown && console.errors.empty(), read.shown);
    }
    return 0;
}
