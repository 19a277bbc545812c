#pragma once
// TClientesController: the clients step. Every origin client (CLIENTE) is copied into the
// destination under a new code counted from 00005000 in the origin's order, its first
// complement row (COMPCLIE with the same CODCLIENTE, exact match) just before it under the
// same code. Nothing is committed: the run's transaction holds the rows.

#include "IBDatabase.h"
#include "IBQuery.h"
#include "Progress.h"

// The progress label's prefix of PreencheDadosClientes.
inline constexpr char16_t kPrefixoClientes[] = u"Convertendo Clientes - Registro ";

class TClientesController {
  public:
    // Opens `qryBusca` on "SELECT * FROM " + vNomeTabela and returns it.
    TIBQuery& BuscaClientesBDOrigem(TIBQuery& qryBusca, const Text& vNomeTabela);
    void PreencheDadosClientes(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, TGauge& Barra,
                               TLabel& lblInfo);

  private:
    void PMontaQuery(TIBQuery& qryBusca, TIBQuery& qryGrava, const Text& vNomeTabela);
};
