#pragma once
// The terminal runner's meeting with the system: its arguments and its two output streams.
// One platform file per system: CommandLinePosix.cpp, CommandLineWindows.cpp.
//
// ProgramArguments gives the arguments after the program's name, in UTF-8. POSIX hands them
// over as bytes, UTF-8 under the system's locales. Windows hands the command line over as
// UTF-16, read here with GetCommandLineW: `argv` holds it in the ANSI code page, which loses
// what the code page cannot hold and would be misread as UTF-8.
//
// TConsole gives the standard output and error as streams taking UTF-8. On POSIX they are
// std::cout and std::cerr. On Windows a stream that is a console gets its text as UTF-16
// (WriteConsoleW), whatever the console's code page, a character split across two writes
// included; a redirected stream (a file, a pipe) gets the UTF-8 bytes as they are. Each
// stream is flushed when the TConsole is destroyed.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

std::vector<std::string> ProgramArguments(int argc, char** argv);

class TConsole {
  public:
    TConsole();
    ~TConsole();
    TConsole(const TConsole&) = delete;
    TConsole& operator=(const TConsole&) = delete;

    std::ostream& Out();
    std::ostream& Err();

  private:
    struct TStreams;
    std::unique_ptr<TStreams> streams_;
};

#ifdef _WIN32
// The stream buffer of a TConsole stream on the Windows handle `handle` (a HANDLE), which
// must stay open while the buffer is used.
std::unique_ptr<std::streambuf> MakeConsoleBuffer(void* handle);
#endif
