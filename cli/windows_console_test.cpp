// What the terminal runner's streams do on a Windows console (CommandLineWindows.cpp). The
// test needs a console: a Windows terminal's, or under Wine a pseudo-terminal's.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

#include "CommandLine.h"

// A console gets the text as UTF-16, whatever its code page, even when a character's bytes
// come in two writes.
TEST(WindowsConsole, AConsoleShowsTheCharactersWritten) {
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    ASSERT_NE(screen, INVALID_HANDLE_VALUE) << "this process has no console";
    SetConsoleOutputCP(437);  // a code page without these letters
    {
        const std::unique_ptr<std::streambuf> buffer = MakeConsoleBuffer(screen);
        std::ostream console(buffer.get());
        const std::string text = "Conversão concluída com sucesso!";
        const size_t split = text.find("ã") + 1;  // inside the two bytes of ã
        console << text.substr(0, split) << std::flush;
        console << text.substr(split) << std::flush;
    }
    wchar_t shown[64] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadConsoleOutputCharacterW(screen, shown, 32, COORD{0, 0}, &read));
    CloseHandle(screen);
    EXPECT_EQ(std::wstring(shown, read), L"Conversão concluída com sucesso!");
}
