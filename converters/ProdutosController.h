#pragma once
// TProdutosController: the products step and the three corrections that follow it.
//
// Products are copied under "01" + the characters 3 to 6 of their origin code, each with its
// first complement (COMPPROD) and detail (PRODUTODETALHE) row of the same code, and an opening
// stock movement for every product with a complement. The corrections find the destination
// products by the same rule: the stock correction rewrites their opening movements and
// complement rows, the fiscal classification correction their CODCLASFIS (found or created by
// NCM), the main supplier correction their PRINCIPALFORNEC (by the supplier's name and tax
// number). Nothing is committed: the run's transaction holds every change.

#include "IBDatabase.h"
#include "IBQuery.h"
#include "IBTransaction.h"
#include "Progress.h"
#include "StringList.h"

// The progress label's prefixes of the products step and the three corrections.
inline constexpr char16_t kPrefixoProdutos[] = u"Convertendo Produtos - Registro ";
inline constexpr char16_t kPrefixoEstoque[] = u"Atualizando Estoques - Registro ";
inline constexpr char16_t kPrefixoClasFisc[] = u"Atualizando Classificação Fiscal - Registro ";
inline constexpr char16_t kPrefixoFornecedoresProdutos[] =
    u"Atualizando Fornecedores de Produtos - Registro ";

class TProdutosController {
  public:
    // Opens `qryBusca` on "SELECT * FROM " + vNomeTabela + " ORDER BY CODPROD " and returns it.
    TIBQuery& BuscaProdutosBDOrigem(TIBQuery& qryBusca, const Text& vNomeTabela);

    void PreencheDadosProdutos(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                               TIBTransaction& Transacao, TGauge& Barra, TLabel& lblInfo,
                               const Text& vNomeTabela);
    void PAtualizaDadosMovimentações(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                     TIBTransaction& Transacao, TGauge& Barra, TLabel& lblInfo,
                                     const Text& vNomeTabela);
    void PAtualizaClasfisc(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, TIBTransaction& Transacao,
                           TGauge& Barra, TLabel& lblInfo, const Text& vNomeTabela);
    void PAtualizaDadosFornece(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                               TIBTransaction& Transacao, TGauge& Barra, TLabel& lblInfo);

  private:
    void PMontaQuery(TIBQuery& qryBusca, TIBQuery& qryGrava, const Text& vNomeTabela);
    void PMontaQueryAtualiza(TIBQuery& qryBusca, TIBQuery& qryAtualiza, const Text& vNomeTabela);
    // The per-product look-ups of the corrections. Each runs a query that its step built once
    // and keeps prepared: the first row's values, the empty text when there is none.
    Text FBuscaClasFiscAnt(TIBQuery& qryBuscaClasFisc, const Text& vCodProd);
    void PBuscaForneceAnt(TIBQuery& qryBuscaFornece, const Text& pCodFornec,
                          TStringList& vListaInfFornece);
    Text FRetornaCodFornec(TIBQuery& qryBuscaCodFornec, TStringList& vListaInfFornece);
    Text FRetornaQueryAtualiza();
};
