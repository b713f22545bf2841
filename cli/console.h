#pragma once
// The converter's only contact with the system: its arguments, standard input, output and error
// as UTF-8 bytes. One implementation per platform (console_posix.cpp, console_win32.cpp); tests
// put their own in its place.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// What standard input is. A terminal and a pipe may wait for the next line, so every answer is
// written before the program waits for more; a terminal is not read unless "-" asks for it.
enum class InputKind { Terminal, Stream, File };

class Console {
public:
    virtual ~Console() = default;
    // Up to `size` bytes of standard input; 0 at its end. A read error gives 0 and its reason in
    // the system's words ("Is a directory") in `error`.
    virtual std::size_t Read(char* buffer, std::size_t size, std::string& error) = 0;
    // All of the bytes to standard output. false when they could not be written, with the reason
    // in `error`; an empty reason when the reader has gone (a closed pipe), which is no one's news.
    virtual bool Write(const char* bytes, std::size_t size, std::string& error) = 0;
    // One message to standard error.
    virtual void WriteError(std::string_view message) = 0;
    virtual InputKind Input() = 0;
};

// The platform's standard streams. On Windows the Hebrew reaches a console window as Unicode, and
// redirected streams carry the UTF-8 bytes unchanged.
class SystemConsole : public Console {
public:
    SystemConsole();
    ~SystemConsole() override;
    std::size_t Read(char* buffer, std::size_t size, std::string& error) override;
    bool Write(const char* bytes, std::size_t size, std::string& error) override;
    void WriteError(std::string_view message) override;
    InputKind Input() override;

private:
    struct Streams;
    Streams* streams_;
};

// The program's arguments after its name, in UTF-8 (on Windows read from the wide command line,
// so that Hebrew month names survive any code page).
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace cli
