#include <cerrno>

#include <unistd.h>

#include "cli/console.h"

namespace cli {

namespace {

bool WriteAll(int descriptor, const char* bytes, std::size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
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

std::size_t SystemConsole::Read(char* buffer, std::size_t size)
{
    for (;;) {
        ssize_t got = ::read(STDIN_FILENO, buffer, size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

bool SystemConsole::Write(const char* bytes, std::size_t size)
{
    return WriteAll(STDOUT_FILENO, bytes, size);
}

void SystemConsole::WriteError(std::string_view message)
{
    WriteAll(STDERR_FILENO, message.data(), message.size());
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace cli
