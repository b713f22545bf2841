#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/console.h"

namespace cli {

namespace {

// A descriptor left non-blocking by whoever started the program is waited on, not taken for
// the end of the input or for a failure.
bool WaitFor(int descriptor, short event)
{
    pollfd wanted{descriptor, event, 0};
    int ready = ::poll(&wanted, 1, -1);
    return ready > 0 || (ready < 0 && errno == EINTR);
}

bool WriteAll(int descriptor, const char* bytes, std::size_t size, std::string& error)
{
    while (size > 0) {
        ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(descriptor, POLLOUT)) {
            continue;
        }
        if (written <= 0) {
            int reason = written < 0 ? errno : EIO;
            error = reason == EPIPE ? "" : std::strerror(reason);
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

struct SystemConsole::Streams {};

SystemConsole::SystemConsole() : streams_(nullptr) {}

SystemConsole::~SystemConsole() = default;

std::size_t SystemConsole::Read(char* buffer, std::size_t size, std::string& error)
{
    for (;;) {
        ssize_t got = ::read(STDIN_FILENO, buffer, size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(STDIN_FILENO, POLLIN)) {
            continue;
        }
        if (got < 0) {
            error = std::strerror(errno);
            return 0;
        }
        return static_cast<std::size_t>(got);
    }
}

bool SystemConsole::Write(const char* bytes, std::size_t size, std::string& error)
{
    return WriteAll(STDOUT_FILENO, bytes, size, error);
}

void SystemConsole::WriteError(std::string_view message)
{
    std::string ignored;
    WriteAll(STDERR_FILENO, message.data(), message.size(), ignored);
}

InputKind SystemConsole::Input()
{
    struct stat status {};
    if (::isatty(STDIN_FILENO)) {
        return InputKind::Terminal;
    }
    // A descriptor that cannot be looked at is read all the same, so that its error is reported.
    return ::fstat(STDIN_FILENO, &status) == 0 && S_ISREG(status.st_mode) ? InputKind::File : InputKind::Stream;
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace cli
