#pragma once
// The command line of the terminal runner.
//
// --origem PATH and --destino PATH (also --origem=PATH) choose the two database files, as the
// window's two "Abrir" buttons do; a flag given twice keeps its last value. The step flags
// tick the window's check boxes. A flag that is absent leaves its file unchosen (no path).
// --help anywhere asks for the help text, whatever else is given.
//
// Anything else is a usage error (EUsoInvalido, its message in Portuguese): an unknown flag, a
// path flag without its value, a value on a step flag, or a bare argument.

#include <optional>
#include <string>
#include <vector>

#include "Error.h"
#include "Operacoes.h"
#include "Text.h"

class EUsoInvalido : public EError {
  public:
    using EError::EError;
};

struct TArguments {
    std::optional<Text> origem;
    std::optional<Text> destino;
    TOpcoesConversao opcoes;
    bool ajuda = false;
};

// `args` are the arguments after the program name, in UTF-8.
TArguments ParseArguments(const std::vector<std::string>& args);

// The synopsis of the command line, a few lines ending with a line break.
std::string UsageText();
// What the runner does, every flag, the exit statuses, where messages and progress go.
std::string HelpText();
