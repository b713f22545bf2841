// The converter's streams on Windows. A console gets the text as UTF-16 through WriteConsoleW
// and gives it through ReadConsoleW, so the Hebrew shows whatever the console's code page;
// a redirected stream carries the UTF-8 bytes unchanged (no CR is added before LF).

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "cli/console.h"
#include "hebrew_text/utf8.h"

namespace cli {

namespace {

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// The reason of a failed read or write in the words the C library and GNU tools use.
std::string Reason(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "No space left on device";
    case ERROR_INVALID_HANDLE:
        return "Bad file descriptor";
    case ERROR_ACCESS_DENIED:
        return "Permission denied";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "Cannot allocate memory";
    default:
        return "Input/output error (Windows error " + std::to_string(error) + ")";
    }
}

// A pipe whose reader has gone.
bool ReaderGone(DWORD error)
{
    return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
}

bool IsUsable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

std::wstring Wide(const char* bytes, std::size_t size)
{
    if (size == 0) {
        return {};
    }
    int count = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(size), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(size), wide.data(), count);
    return wide;
}

std::string Utf8(const wchar_t* text, std::size_t size)
{
    if (size == 0) {
        return {};
    }
    int count = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), bytes.data(), count, nullptr, nullptr);
    return bytes;
}

// One output stream: to a console as UTF-16, holding back a UTF-8 sequence cut at the end of a
// block until its rest arrives; elsewhere as bytes.
class OutputStream {
public:
    explicit OutputStream(DWORD which) : handle_(GetStdHandle(which)), console_(IsConsole(handle_)) {}

    bool Write(const char* bytes, std::size_t size, std::string& error)
    {
        if (!IsUsable(handle_)) {
            error = Reason(ERROR_INVALID_HANDLE);
            return false;
        }
        if (!console_) {
            while (size > 0) {
                DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
                DWORD written = 0;
                if (!WriteFile(handle_, bytes, chunk, &written, nullptr) || written == 0) {
                    DWORD reason = GetLastError();
                    error = ReaderGone(reason) ? "" : Reason(reason);
                    return false;
                }
                bytes += written;
                size -= written;
            }
            return true;
        }
        pending_.append(bytes, size);
        // A character cut at the end of the block waits for the rest of its bytes.
        std::size_t whole = pending_.size() - hebrew_text::Utf8UnfinishedTail(pending_);
        std::wstring wide = Wide(pending_.data(), whole);
        pending_.erase(0, whole);
        const wchar_t* at = wide.data();
        std::size_t left = wide.size();
        while (left > 0) {
            DWORD chunk = left > 8192 ? 8192 : static_cast<DWORD>(left);
            DWORD written = 0;
            if (!WriteConsoleW(handle_, at, chunk, &written, nullptr) || written == 0) {
                error = Reason(GetLastError());
                return false;
            }
            at += written;
            left -= written;
        }
        return true;
    }

private:
    HANDLE handle_;
    bool console_;
    std::string pending_;
};

// Bytes of redirected input (a file or a pipe), as they are.
std::size_t ReadRedirected(HANDLE input, char* buffer, std::size_t size, std::string& error)
{
    DWORD got = 0;
    DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    if (!ReadFile(input, buffer, chunk, &got, nullptr)) {
        DWORD reason = GetLastError();
        // A pipe whose writer has closed it ends the input as the end of a file does.
        if (reason != ERROR_BROKEN_PIPE && reason != ERROR_HANDLE_EOF) {
            error = Reason(reason);
        }
        return 0;
    }
    return got;
}

}  // namespace

struct SystemConsole::Streams {
    OutputStream output{STD_OUTPUT_HANDLE};
    OutputStream error{STD_ERROR_HANDLE};
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    bool inputIsConsole = IsConsole(input);
    bool ended = false;  // Ctrl+Z at the start of a line
    std::string converted;  // console input already turned into UTF-8, not yet handed out
    wchar_t highSurrogate = 0;
};

SystemConsole::SystemConsole() : streams_(new Streams) {}

SystemConsole::~SystemConsole()
{
    delete streams_;
}

std::size_t SystemConsole::Read(char* buffer, std::size_t size, std::string& error)
{
    Streams& s = *streams_;
    if (s.ended && s.converted.empty()) {
        return 0;
    }
    if (!IsUsable(s.input)) {
        error = Reason(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!s.inputIsConsole) {
        return ReadRedirected(s.input, buffer, size, error);
    }
    while (s.converted.empty()) {
        wchar_t wide[4096];
        DWORD got = 0;
        std::size_t start = 0;
        if (s.highSurrogate != 0) {
            wide[0] = s.highSurrogate;
            s.highSurrogate = 0;
            start = 1;
        }
        if (!ReadConsoleW(s.input, wide + start, static_cast<DWORD>(4096 - start), &got, nullptr)) {
            error = Reason(GetLastError());
            return 0;
        }
        if (got == 0) {
            return 0;
        }
        std::size_t count = start + got;
        // Ctrl+Z at the start of a line ends console input, as for every console program.
        for (std::size_t i = 0; i < count; ++i) {
            if (wide[i] == 0x1A && (i == 0 || wide[i - 1] == L'\n')) {
                count = i;
                s.ended = true;
                break;
            }
        }
        if (count > 0 && wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF) {
            s.highSurrogate = wide[--count];
        }
        s.converted = Utf8(wide, count);
        if (s.converted.empty() && s.ended) {
            return 0;
        }
    }
    std::size_t taken = s.converted.size() < size ? s.converted.size() : size;
    s.converted.copy(buffer, taken);
    s.converted.erase(0, taken);
    return taken;
}

bool SystemConsole::Write(const char* bytes, std::size_t size, std::string& error)
{
    return streams_->output.Write(bytes, size, error);
}

void SystemConsole::WriteError(std::string_view message)
{
    std::string ignored;
    streams_->error.Write(message.data(), message.size(), ignored);
}

InputKind SystemConsole::Input()
{
    Streams& s = *streams_;
    if (s.inputIsConsole) {
        return InputKind::Terminal;
    }
    // A missing handle is read all the same, so that its error is reported.
    return IsUsable(s.input) && GetFileType(s.input) == FILE_TYPE_DISK ? InputKind::File : InputKind::Stream;
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(Utf8(wide[i], wcslen(wide[i])));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace cli
