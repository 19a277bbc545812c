// The products step (PreencheDadosProdutos).
#include "ProdutosController.h"

#include "CopiaRegistros.h"
#include "Progresso.h"
#include "Recodificacao.h"
#include "classConversao.h"

TIBQuery& TProdutosController::BuscaProdutosBDOrigem(TIBQuery& qryBusca, const Text& vNomeTabela) {
    return AbreConsulta(qryBusca, u"SELECT * FROM " + vNomeTabela + u" " + u"ORDER BY CODPROD ");
}

void TProdutosController::PMontaQuery(TIBQuery& qryBusca, TIBQuery& qryGrava,
                                      const Text& vNomeTabela) {
    MontaInsert(qryBusca, qryGrava, vNomeTabela);
}

void TProdutosController::PreencheDadosProdutos(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                TIBTransaction&, TGauge& Barra, TLabel& lblInfo,
                                                const Text& vNomeTabela) {
    TConversao conversao(&DbDestino);
    TIBQuery qryBusca, qryBuscaCompProd, qryBuscaProdDetalhe;
    TIBQuery qryGrava, qryGravaCompProd, qryGravaProdDetalhe;
    for (TIBQuery* q : {&qryBusca, &qryBuscaCompProd, &qryBuscaProdDetalhe})
        q->SetDatabase(&DbOrigem);
    for (TIBQuery* q : {&qryGrava, &qryGravaCompProd, &qryGravaProdDetalhe})
        q->SetDatabase(&DbDestino);

    BuscaProdutosBDOrigem(qryBusca, u"PRODUTO");
    BuscaProdutosBDOrigem(qryBuscaCompProd, u"COMPPROD");
    BuscaProdutosBDOrigem(qryBuscaProdDetalhe, u"PRODUTODETALHE");
    TProgresso progresso(Barra, lblInfo, kPrefixoProdutos);
    progresso.Inicia(qryBusca);
    PMontaQuery(qryBusca, qryGrava, vNomeTabela);
    PMontaQuery(qryBuscaCompProd, qryGravaCompProd, u"COMPPROD");
    PMontaQuery(qryBuscaProdDetalhe, qryGravaProdDetalhe, u"PRODUTODETALHE");

    TCopiaLinha copiaProduto(qryBusca, qryGrava, u"CODPROD");
    TCopiaLinha copiaComplemento(qryBuscaCompProd, qryGravaCompProd, u"CODPROD");
    TCopiaLinha copiaDetalhe(qryBuscaProdDetalhe, qryGravaProdDetalhe, u"CODPROD");
    // The first complement and detail row of each code: what a search from the first row
    // would find.
    const auto complementos = qryBuscaCompProd.KeyIndex(u"CODPROD");
    const auto detalhes = qryBuscaProdDetalhe.KeyIndex(u"CODPROD");
    const TField codigoOrigem = qryBusca.FieldByName(u"CODPROD");
    const TField estoque = qryBuscaCompProd.FieldByName(u"ESTOQUE");
    const TField precoCusto = qryBuscaCompProd.FieldByName(u"PRECOCUSTO");
    const TField precoMedio = qryBuscaCompProd.FieldByName(u"PRECOMEDIO");

    progresso.Percorre(qryBusca, [&](int32_t) {
        const Text C = codigoOrigem.AsString();
        const Text N = RecodificaProduto(C);
        copiaProduto.Preenche(N);
        if (auto complemento = complementos.find(C); complemento != complementos.end()) {
            qryBuscaCompProd.SetRecNo(complemento->second);
            copiaComplemento.Preenche(N);
            conversao.PGravaEstoqueProduto(DbDestino, u"00", N, estoque.AsFloat(),
                                           precoCusto.AsFloat(), precoMedio.AsFloat());
            qryGravaCompProd.ExecSQL();
        }
        if (auto detalhe = detalhes.find(C); detalhe != detalhes.end()) {
            qryBuscaProdDetalhe.SetRecNo(detalhe->second);
            copiaDetalhe.Preenche(N);
            qryGravaProdDetalhe.ExecSQL();
        }
        qryGrava.ExecSQL();
    });
}
