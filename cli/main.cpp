// unificador: the conversion run from a terminal (see Runner.h and unificador --help).
#include "CommandLine.h"
#include "Runner.h"

int main(int argc, char** argv) {
    TConsole console;
    return RunUnificador(ProgramArguments(argc, argv), console.Out(), console.Err());
}
