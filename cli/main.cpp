// unificador: the conversion run from a terminal (see Runner.h and unificador --help).
#include <iostream>
#include <string>
#include <vector>

#include "Runner.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunUnificador(args, std::cout, std::cerr);
}
