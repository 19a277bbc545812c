#pragma once
// The steps of a conversion run, in the fixed order in which a run considers them. Everything
// that names the steps reads this one table: the run (which step a key selects, and the call),
// the option list, the window's check boxes, the terminal runner's flags and help, and the
// benchmark.

#include <cstddef>
#include <span>
#include <string_view>

#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Progress.h"

// What the run hands to every step; none of it belongs to the step.
struct TArgumentosPasso {
    TIBDatabase& BDOrigem;
    TIBDatabase& BDResulth;
    TIBTransaction& Transacao;
    TGauge& Barra;
    TLabel& lblInfo;
};

struct TPasso {
    const char16_t* chave;       // selects the step in the option list ("CLIENTES")
    const char16_t* caixa;       // the window's check box caption ("Clientes")
    std::string_view flag;       // the terminal runner's flag ("--clientes")
    std::string_view descricao;  // what the step does, for the terminal's help (UTF-8)
    const char16_t* prefixo;     // the progress label's text before the row number
    // Creates the step's converter, makes its one call and releases it; errors reach the run.
    void (*executa)(const TArgumentosPasso& argumentos);
};

inline constexpr size_t kQuantidadePassos = 6;

// The steps in their fixed order.
std::span<const TPasso, kQuantidadePassos> Passos();
