#pragma once
// TFornecedoresController: the suppliers step. Every origin supplier (FORNECE) is copied into
// the destination under "001" followed by the characters 4 to 6 of its origin code.
// AtualizaCodFornece instead gives the destination suppliers that match an origin supplier by
// name and tax number that supplier's recoded code. Neither commits.

#include "IBDatabase.h"
#include "IBQuery.h"
#include "Progress.h"

// The progress label's prefix of PreencheDadosFornecedores.
inline constexpr char16_t kPrefixoFornecedores[] = u"Convertendo Fornecedores - Registro ";

class TFornecedoresController {
  public:
    // Opens `qryBusca` on "SELECT * FROM FORNECE" and returns it.
    TIBQuery& BuscaFornecedoresBDOrigem(TIBQuery& qryBusca);
    void PreencheDadosFornecedores(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, TGauge& Barra,
                                   TLabel& lblInfo);
    void AtualizaCodFornece(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, TGauge& Barra,
                            TLabel& lblInfo);

  private:
    void PMontaQuery(TIBQuery& qryBusca, TIBQuery& qryGrava);
    Text FRetornaQueryAtualiza();
};
