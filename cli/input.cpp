// Dates from standard input, one per line.

#include <cstring>

#include "cli/run_loop.h"

namespace cli {

namespace {

constexpr std::size_t InputBufferBytes = 1 << 16;
constexpr std::size_t MaxLineBytes = 1024;

// Lines of input as they come in pieces: a line longer than any date is held only to its first
// MaxLineBytes bytes, so that memory stays bounded whatever the input.
class LineCollector {
public:
    LineCollector() { line_.reserve(MaxLineBytes + 1); }

    // Takes bytes up to a newline or the end of the piece; true when a line is complete. `at`
    // moves past what was taken, the newline included.
    bool Take(const char*& at, const char* end)
    {
        const char* newline = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        const char* stop = newline ? newline : end;
        // One byte more than a line may hold, for the CR of a CR LF.
        std::size_t room = MaxLineBytes + 1 - line_.size();
        std::size_t length = static_cast<std::size_t>(stop - at);
        line_.append(at, length < room ? length : room);
        tooLong_ = tooLong_ || length > room;
        at = newline ? newline + 1 : end;
        return newline != nullptr;
    }

    bool Pending() const { return !line_.empty() || tooLong_; }

    // The line taken, without a CR that ended it; false when it was too long.
    bool Finish(std::string& line)
    {
        if (!tooLong_ && !line_.empty() && line_.back() == '\r') {
            line_.pop_back();  // a line ended by CR LF
        }
        bool fits = !tooLong_ && line_.size() <= MaxLineBytes;
        line.swap(line_);
        line_.clear();
        tooLong_ = false;
        return fits;
    }

private:
    std::string line_;
    bool tooLong_ = false;
};

}  // namespace

// Blank lines are passed over; a line too long is reported once. Input that may wait (a terminal,
// a pipe) has every answer written before the next read, so that a program writing a line and
// waiting for its answer gets it.
void Run::ReadInput()
{
    bool answerEachRead = console_.Input() != InputKind::File;
    std::unique_ptr<char[]> buffer(new char[InputBufferBytes]);
    LineCollector lines;
    std::string line;
    std::size_t number = 0;
    auto endLine = [&] {
        ++number;
        if (!lines.Finish(line)) {
            Fail("line " + std::to_string(number) + ": " + Quoted(line) + ": longer than " +
                 std::to_string(MaxLineBytes) + " bytes, no date");
        } else if (line.find_first_not_of(" \t\r\v\f") != std::string::npos) {
            Convert(line, "line", number);
        }
    };
    for (bool first = true; output_.Ok(); first = false) {
        if (answerEachRead) {
            output_.Flush();
        }
        std::string error;
        std::size_t got = console_.Read(buffer.get(), InputBufferBytes, error);
        if (got == 0) {
            if (!error.empty()) {
                Fail("error reading 'standard input': " + error);
            }
            break;
        }
        const char* at = buffer.get();
        const char* end = at + got;
        if (first && got >= 3 && std::memcmp(at, "\xEF\xBB\xBF", 3) == 0) {
            at += 3;  // a byte-order mark, as some Windows programs begin a file
        }
        while (at < end) {
            if (lines.Take(at, end)) {
                endLine();
            }
        }
    }
    if (lines.Pending()) {
        endLine();
    }
}

}  // namespace cli
