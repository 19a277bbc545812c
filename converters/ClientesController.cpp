#include "ClientesController.h"

#include "CopiaRegistros.h"
#include "Progresso.h"
#include "classConversao.h"

TIBQuery& TClientesController::BuscaClientesBDOrigem(TIBQuery& qryBusca, const Text& vNomeTabela) {
    return AbreConsulta(qryBusca, u"SELECT * FROM " + vNomeTabela);
}

void TClientesController::PMontaQuery(TIBQuery& qryBusca, TIBQuery& qryGrava,
                                      const Text& vNomeTabela) {
    MontaInsert(qryBusca, qryGrava, vNomeTabela);
}

void TClientesController::PreencheDadosClientes(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                TGauge& Barra, TLabel& lblInfo) {
    TConversao conversao(&DbDestino);
    TIBQuery qryBusca, qryBuscaCompClie, qryGrava, qryGravaCompClie;
    qryBusca.SetDatabase(&DbOrigem);
    qryBuscaCompClie.SetDatabase(&DbOrigem);
    qryGrava.SetDatabase(&DbDestino);
    qryGravaCompClie.SetDatabase(&DbDestino);

    int32_t vCodCliente = 5000;
    BuscaClientesBDOrigem(qryBusca, u"CLIENTE");
    BuscaClientesBDOrigem(qryBuscaCompClie, u"COMPCLIE");
    TProgresso progresso(Barra, lblInfo, kPrefixoClientes);
    progresso.Inicia(qryBusca);
    PMontaQuery(qryBusca, qryGrava, u"CLIENTE");
    PMontaQuery(qryBuscaCompClie, qryGravaCompClie, u"COMPCLIE");

    TCopiaLinha copiaCliente(qryBusca, qryGrava, u"CODCLIENTE");
    TCopiaLinha copiaComplemento(qryBuscaCompClie, qryGravaCompClie, u"CODCLIENTE");
    // The first complement row of each code: what a search from the first row would find.
    const auto complementos = qryBuscaCompClie.KeyIndex(u"CODCLIENTE");
    const TField codigoOrigem = qryBusca.FieldByName(u"CODCLIENTE");

    progresso.Percorre(qryBusca, [&](int32_t) {
        const Text codigo = conversao.StrZero(IntToText(vCodCliente), 8);
        copiaCliente.Preenche(codigo);
        auto complemento = complementos.find(codigoOrigem.AsString());
        if (complemento != complementos.end()) {
            qryBuscaCompClie.SetRecNo(complemento->second);
            copiaComplemento.Preenche(codigo);
            qryGravaCompClie.ExecSQL();
        }
        qryGrava.ExecSQL();
        ++vCodCliente;
    });
}
