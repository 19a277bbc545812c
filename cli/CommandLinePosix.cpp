// The command line and the console on POSIX systems: arguments and output are bytes already.
#include <iostream>

#include "CommandLine.h"

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

struct TConsole::TStreams {};

TConsole::TConsole() = default;

TConsole::~TConsole() {
    std::cout.flush();
    std::cerr.flush();
}

std::ostream& TConsole::Out() {
    return std::cout;
}

std::ostream& TConsole::Err() {
    return std::cerr;
}
