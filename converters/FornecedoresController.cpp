#include "FornecedoresController.h"

#include "CopiaRegistros.h"
#include "Progresso.h"
#include "Recodificacao.h"

TIBQuery& TFornecedoresController::BuscaFornecedoresBDOrigem(TIBQuery& qryBusca) {
    return AbreConsulta(qryBusca, u"SELECT * FROM FORNECE");
}

void TFornecedoresController::PMontaQuery(TIBQuery& qryBusca, TIBQuery& qryGrava) {
    MontaInsert(qryBusca, qryGrava, u"FORNECE");
}

Text TFornecedoresController::FRetornaQueryAtualiza() {
    return Text(u" UPDATE FORNECE SET") + Text(23, u' ') + u"FORNECE.CODFORNEC = :PCODFORNEC" +
           Text(39, u' ') + u"WHERE" + Text(36, u' ') + u"FORNECE.NOME = :PNOME" + Text(12, u' ') +
           u"AND FORNECE.CGCCPF = :PCGCCPF" + Text(7, u' ');
}

void TFornecedoresController::PreencheDadosFornecedores(TIBDatabase& DbOrigem,
                                                        TIBDatabase& DbDestino, TGauge& Barra,
                                                        TLabel& lblInfo) {
    TIBQuery qryBusca, qryGrava;
    qryBusca.SetDatabase(&DbOrigem);
    qryGrava.SetDatabase(&DbDestino);
    BuscaFornecedoresBDOrigem(qryBusca);
    TProgresso progresso(Barra, lblInfo, kPrefixoFornecedores);
    progresso.Inicia(qryBusca);
    PMontaQuery(qryBusca, qryGrava);

    TCopiaLinha copia(qryBusca, qryGrava, u"CODFORNEC");
    const TField codigo = qryBusca.FieldByName(u"CODFORNEC");
    progresso.Percorre(qryBusca, [&](int32_t) {
        copia.Preenche(RecodificaFornecedor(VarianteComoTexto(codigo)));
        qryGrava.ExecSQL();
    });
}

void TFornecedoresController::AtualizaCodFornece(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                 TGauge& Barra, TLabel& lblInfo) {
    TIBQuery qryBusca, qryAtualiza;
    qryBusca.SetDatabase(&DbOrigem);
    qryAtualiza.SetDatabase(&DbDestino);
    BuscaFornecedoresBDOrigem(qryBusca);
    TProgresso progresso(Barra, lblInfo, u"Atualizando Fornecedores - Registro ");
    progresso.Inicia(qryBusca);
    qryAtualiza.SQL().SetText(FRetornaQueryAtualiza());

    const TField codigo = qryBusca.FieldByName(u"CODFORNEC");
    const TField nome = qryBusca.FieldByName(u"NOME");
    const TField cgccpf = qryBusca.FieldByName(u"CGCCPF");
    TParam& pCodFornec = qryAtualiza.ParamByName(u"PCODFORNEC");
    TParam& pNome = qryAtualiza.ParamByName(u"PNOME");
    TParam& pCgcCpf = qryAtualiza.ParamByName(u"PCGCCPF");
    progresso.Percorre(qryBusca, [&](int32_t) {
        pCodFornec.SetAsString(RecodificaFornecedor(VarianteComoTexto(codigo)));
        pNome.SetValue(nome.AsVariant());
        pCgcCpf.SetValue(cgccpf.AsVariant());
        qryAtualiza.ExecSQL();
    });
}
