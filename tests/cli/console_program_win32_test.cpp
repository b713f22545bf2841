// The Windows console program, started as its own process as a script or a person starts it:
// through pipes it must give the UTF-8 bytes the Linux program gives, and in a console window the
// same Hebrew, whatever the console's code page.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::wstring ProgramPath()
{
    std::wstring path = L"Z:";
    for (char c : std::string(DETRON_CONVERT_EXE)) {
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    }
    return path;
}

// Starts the program with the given standard handles; false when it did not start.
bool StartProgram(const std::wstring& arguments, HANDLE input, HANDLE output, HANDLE errors, DWORD flags,
                  PROCESS_INFORMATION& process)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = errors;
    std::wstring command = L"\"" + ProgramPath() + L"\" " + arguments;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

std::string ReadAll(HANDLE pipe)
{
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    return bytes;
}

struct Finished {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output, errors;
};

// Runs the program with `arguments` (a wide command-line tail) and `input` on its standard
// input, all three streams redirected to pipes.
Finished RunRedirected(const std::wstring& arguments, const std::string& input)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite, errRead, errWrite;
    CreatePipe(&inRead, &inWrite, &inherit, 0);
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    PROCESS_INFORMATION process{};
    Finished finished;
    bool started = StartProgram(arguments, inRead, outWrite, errWrite, CREATE_NO_WINDOW, process);
    CloseHandle(inRead);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        std::string errors;
        std::thread errorReader([&] { errors = ReadAll(errRead); });
        DWORD written = 0;
        WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
        CloseHandle(inWrite);
        finished.output = ReadAll(outRead);
        errorReader.join();
        finished.errors = errors;
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &finished.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        CloseHandle(inWrite);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return finished;
}

TEST(ConsoleProgram, RedirectedStreamsCarryTheUtf8Bytes)
{
    // Hebrew on the command line: the program reads the wide command line, not the code page's.
    Finished finished = RunRedirected(L"--format csv \"\u05D8\u05F4\u05D5 \u05E0\u05D9\u05E1\u05DF 5784\" -",
                                      "2024-03-11\r\n2023-02-30\r\n\r\n1 Tishri 5785\r\n");
    EXPECT_EQ(finished.exitCode, 1u);
    EXPECT_EQ(finished.output,
              "civil,weekday,weekdayName,hebrewYear,hebrewMonth,hebrewMonthName,hebrewDay,hebrewText,julianDay\n"
              "2024-04-23,2,Tuesday,5784,8,Nisan,15,ט״ו ניסן ה׳תשפ״ד,2460424\n"
              "2024-03-11,1,Monday,5784,7,Adar II,1,א׳ אדר ב׳ ה׳תשפ״ד,2460381\n"
              "2024-10-03,4,Thursday,5785,1,Tishri,1,א׳ תשרי ה׳תשפ״ה,2460587\n");
    EXPECT_EQ(finished.errors, "detron-convert: line 2: \"2023-02-30\": February 2023 has 28 days (--carry counts "
                               "it on into the next month)\n");
}

// Hebrew as other programs write it, after a byte-order mark; a message escapes a C1 control.
TEST(ConsoleProgram, ReadsWhatOtherProgramsWrite)
{
    Finished finished = RunRedirected(L"-", "\xEF\xBB\xBF\xD7\x98\xD7\xB4\xD7\x95 \xD7\xA0\xD6\xB4\xD7\x99\xD7\xA1\xD6\xB8\xD7\x9F "
                                            "\xD7\x94\xD7\xB3 \xD7\xAA\xD7\xA9\xD7\xA4\xD7\xB4\xD7\x93\r\n\xC2\x9B" "2J\r\n");
    EXPECT_EQ(finished.exitCode, 1u);
    EXPECT_EQ(finished.output.substr(0, 38), "2024-04-23  Tuesday    15 Nisan 5784  ");
    EXPECT_EQ(finished.errors.rfind("detron-convert: line 2: \"\\u009B2J\": not a date", 0), 0u) << finished.errors;
}

// Output that cannot be written is reported with its reason; a reader that went away ends the
// output without a word.
TEST(ConsoleProgram, StreamFailuresSayWhy)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    // Standard output opened for reading only.
    HANDLE readOnly = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                  0, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(StartProgram(L"2024-04-23", nullptr, readOnly, errWrite, CREATE_NO_WINDOW, process));
    CloseHandle(readOnly);
    CloseHandle(errWrite);
    std::string errors = ReadAll(errRead);
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(errors, "detron-convert: write error: Permission denied\n");
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(errRead);

    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    CloseHandle(outRead);  // the reader has gone before the first line
    ASSERT_TRUE(StartProgram(L"--from 1900-01-01 --to 2100-12-31", nullptr, outWrite, errWrite, CREATE_NO_WINDOW,
                             process));
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    errors = ReadAll(errRead);
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(errors, "");
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(errRead);
}

// A program that writes a line into the pipe and waits gets its answer before it writes more.
TEST(ConsoleProgram, AnswersEachLineAtOnce)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE inRead, inWrite, outRead, outWrite;
    CreatePipe(&inRead, &inWrite, &inherit, 0);
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(StartProgram(L"", inRead, outWrite, outWrite, CREATE_NO_WINDOW, process));
    CloseHandle(inRead);
    CloseHandle(outWrite);
    // A program that never answers is ended, which ends the reading below; the wait only bounds that.
    std::thread watchdog([&] {
        if (WaitForSingleObject(process.hProcess, 120000) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 99);
        }
    });
    std::string answers;
    auto readUntil = [&](const std::string& wanted) {
        char buffer[4096];
        DWORD got = 0;
        while (answers.find(wanted) == std::string::npos && ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) &&
               got > 0) {
            answers.append(buffer, got);
        }
        return answers.find(wanted) != std::string::npos;
    };
    DWORD written = 0;
    WriteFile(inWrite, "2024-04-23\n", 11, &written, nullptr);
    EXPECT_TRUE(readUntil("15 Nisan 5784")) << answers;
    WriteFile(inWrite, "1 Tishri 5785\n", 14, &written, nullptr);
    EXPECT_TRUE(readUntil("2024-10-03")) << answers;
    CloseHandle(inWrite);
    readUntil("never written");
    watchdog.join();
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
}

TEST(ConsoleProgram, ExitStatusOfAUsageError)
{
    Finished finished = RunRedirected(L"--format xml today", "");
    EXPECT_EQ(finished.exitCode, 2u);
    EXPECT_EQ(finished.output, "");
    EXPECT_NE(finished.errors.find("the formats are text, csv, json and ics"), std::string::npos);
}

// A console of this test's own, at an ANSI code page, shared with the program it starts.
class InConsole : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeConsole();
        if (!AllocConsole()) {
            GTEST_SKIP() << "no console can be made here";
        }
        SetConsoleCP(1252);
        SetConsoleOutputCP(1252);
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        screen_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, 0, nullptr);
        keyboard_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(screen_, INVALID_HANDLE_VALUE);
        ASSERT_NE(keyboard_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override
    {
        CloseHandle(screen_);
        CloseHandle(keyboard_);
        FreeConsole();
    }

    // Keys typed into the console, one press and release per character.
    void Type(const std::wstring& keys)
    {
        std::vector<INPUT_RECORD> records;
        for (wchar_t key : keys) {
            for (BOOL down : {TRUE, FALSE}) {
                INPUT_RECORD record{};
                record.EventType = KEY_EVENT;
                record.Event.KeyEvent.bKeyDown = down;
                record.Event.KeyEvent.wRepeatCount = 1;
                record.Event.KeyEvent.wVirtualKeyCode = key == L'\r' ? VK_RETURN : 0;
                record.Event.KeyEvent.uChar.UnicodeChar = key;
                records.push_back(record);
            }
        }
        DWORD written = 0;
        ASSERT_TRUE(WriteConsoleInputW(keyboard_, records.data(), static_cast<DWORD>(records.size()), &written));
    }

    // Runs the program in the console; returns the lines it left on the screen.
    std::vector<std::wstring> Run(const std::wstring& arguments)
    {
        CONSOLE_SCREEN_BUFFER_INFO before{};
        GetConsoleScreenBufferInfo(screen_, &before);
        PROCESS_INFORMATION process{};
        if (!StartProgram(arguments, keyboard_, screen_, screen_, 0, process)) {
            ADD_FAILURE() << "the program did not start";
            return {};
        }
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the program did not finish";
            TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        CONSOLE_SCREEN_BUFFER_INFO after{};
        GetConsoleScreenBufferInfo(screen_, &after);
        std::vector<std::wstring> lines;
        for (SHORT row = before.dwCursorPosition.Y; row < after.dwCursorPosition.Y; ++row) {
            wchar_t shown[100] = {};
            DWORD read = 0;
            ReadConsoleOutputCharacterW(screen_, shown, 99, COORD{0, row}, &read);
            std::wstring line(shown, read);
            line.erase(line.find_last_not_of(L' ') + 1);
            lines.push_back(line);
        }
        return lines;
    }

    HANDLE screen_ = INVALID_HANDLE_VALUE;
    HANDLE keyboard_ = INVALID_HANDLE_VALUE;
};

const wchar_t* const Passover = L"2024-04-23  Tuesday    15 Nisan 5784  ט״ו ניסן ה׳תשפ״ד";

// The text arrives as Unicode characters: read back from the screen buffer, the line shows the
// Hebrew letters themselves, though the console's code page is 1252.
TEST_F(InConsole, TheScreenShowsTheSameHebrew)
{
    std::vector<std::wstring> lines = Run(L"2024-04-23");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], Passover);
}

// A Hebrew date typed at the console is read as typed; Ctrl+Z on a line of its own ends the input.
TEST_F(InConsole, HebrewTypedAtTheConsoleIsRead)
{
    Type(L"\u05D8\u05F4\u05D5 \u05E0\u05D9\u05E1\u05DF 5784\r\x1A\r");
    std::vector<std::wstring> lines = Run(L"-");
    // The answer comes as soon as its line is read, before the console echoes the Ctrl+Z, which
    // Wine's console may then show on the answer's row.
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::wstring& line) {
        return line.rfind(Passover, 0) == 0;
    })) << ::testing::PrintToString(lines);
}

// A line typed at the console is answered while the program waits for the next; a message about
// a control character shows it escaped.
TEST_F(InConsole, AnswersEachTypedLine)
{
    CONSOLE_SCREEN_BUFFER_INFO before{};
    GetConsoleScreenBufferInfo(screen_, &before);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(StartProgram(L"-", keyboard_, screen_, screen_, 0, process));
    // Waits for `text` on the screen; the deadline only bounds a program that never answers.
    auto shows = [&](const std::wstring& text) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(20)) {
            for (SHORT row = before.dwCursorPosition.Y; row < before.dwCursorPosition.Y + 8; ++row) {
                wchar_t shown[100] = {};
                DWORD read = 0;
                ReadConsoleOutputCharacterW(screen_, shown, 99, COORD{0, row}, &read);
                if (std::wstring(shown, read).find(text) != std::wstring::npos) {
                    return true;
                }
            }
            if (WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) {
                return false;  // it ended before its input did
            }
        }
        return false;
    };
    Type(L"2024-04-23\r");
    EXPECT_TRUE(shows(L"15 Nisan 5784"));
    Type(L"\u009B2J\r");
    EXPECT_TRUE(shows(L"\\u009B2J"));
    Type(L"\x1A\r");
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

}  // namespace
