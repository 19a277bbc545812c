#include "ClassesConversaoController.h"

#include <functional>

#include "ClientesController.h"
#include "Error.h"
#include "FornecedoresController.h"
#include "Platform.h"
#include "ProdutosController.h"
#include "classConversao.h"

namespace {

const char16_t kMensagemErro[] = u"Ocorreu um erro durante a conversão! Motivo: ";

// The error's message after the failed run has been undone.
void MostraFalha(const Text& motivo, TGauge& Barra) {
    ShowError(kMensagemErro + motivo);
    Barra.SetProgress(0);
    Barra.SetMaxValue(0);
}

}  // namespace

void TClassesConversaoController::PConverteClientes(TIBDatabase& BDOrigem, TIBDatabase& BDResulth,
                                                    TGauge& Barra, TLabel& lblInfo) {
    TClientesController().PreencheDadosClientes(BDOrigem, BDResulth, Barra, lblInfo);
}

void TClassesConversaoController::PConverteFornecedores(TIBDatabase& BDOrigem,
                                                        TIBDatabase& BDResulth, TGauge& Barra,
                                                        TLabel& lblInfo) {
    TFornecedoresController().PreencheDadosFornecedores(BDOrigem, BDResulth, Barra, lblInfo);
}

void TClassesConversaoController::PConverteProdutos(TIBDatabase& BDOrigem, TIBDatabase& BDResulth,
                                                    TIBTransaction& Transacao, TGauge& Barra,
                                                    TLabel& lblInfo) {
    TProdutosController().PreencheDadosProdutos(BDOrigem, BDResulth, Transacao, Barra, lblInfo,
                                                u"PRODUTO");
}

void TClassesConversaoController::PAtualizaEstoque(TIBDatabase& BDOrigem, TIBDatabase& BDResulth,
                                                   TIBTransaction& Transacao, TGauge& Barra,
                                                   TLabel& lblInfo) {
    TProdutosController().PAtualizaDadosMovimentações(BDOrigem, BDResulth, Transacao, Barra,
                                                      lblInfo, u"COMPPROD");
}

void TClassesConversaoController::PAtualizaClasFisc(TIBDatabase& BDOrigem, TIBDatabase& BDResulth,
                                                    TIBTransaction& Transacao, TGauge& Barra,
                                                    TLabel& lblInfo) {
    TProdutosController().PAtualizaClasfisc(BDOrigem, BDResulth, Transacao, Barra, lblInfo,
                                            u"CLASFISC");
}

void TClassesConversaoController::PAtualizaFornece(TIBDatabase& BDOrigem, TIBDatabase& BDResulth,
                                                   TIBTransaction& Transacao, TGauge& Barra,
                                                   TLabel& lblInfo) {
    TProdutosController().PAtualizaDadosFornece(BDOrigem, BDResulth, Transacao, Barra, lblInfo);
}

bool TClassesConversaoController::FEfetuaConversao(const TStringList& MParams,
                                                   TIBDatabase& BDOrigem, TIBDatabase& BDDestino,
                                                   TIBTransaction& Transacao, TGauge& Barra,
                                                   TLabel& lblInfo) {
    bool resultado = false;
    TConversao FConversao(&BDDestino);
    Barra.SetProgress(0);

    // The trigger switch is committed before any row is written. If it fails nothing was
    // switched (the nine statements share one transaction) and no step may run with the
    // destination's triggers still active.
    Text motivo;
    if (!FConversao.DesativaTriggers(BDDestino, Transacao, &motivo)) {
        MostraFalha(motivo, Barra);
        return false;
    }
    try {
        FConversao.PIniciaTransacao(Transacao);
    } catch (...) {
        FConversao.AtivaTriggers(BDDestino, Transacao);
        throw;
    }

    // The steps in their fixed order; each key is looked up just before its step.
    const std::pair<const char16_t*, std::function<void()>> passos[] = {
        {u"CLIENTES", [&] { PConverteClientes(BDOrigem, BDDestino, Barra, lblInfo); }},
        {u"FORNECEDORES", [&] { PConverteFornecedores(BDOrigem, BDDestino, Barra, lblInfo); }},
        {u"PRODUTOS", [&] { PConverteProdutos(BDOrigem, BDDestino, Transacao, Barra, lblInfo); }},
        {u"ATUALIZAESTOQUE",
         [&] { PAtualizaEstoque(BDOrigem, BDDestino, Transacao, Barra, lblInfo); }},
        {u"ATUALIZACLASFISC",
         [&] { PAtualizaClasFisc(BDOrigem, BDDestino, Transacao, Barra, lblInfo); }},
        {u"ATUALIZAFORNEC",
         [&] { PAtualizaFornece(BDOrigem, BDDestino, Transacao, Barra, lblInfo); }},
    };
    try {
        for (const auto& [chave, passo] : passos)
            if (MParams.Value(chave) == u"S")
                passo();
        // Switching the triggers on commits the run's rows with it; a failure there has rolled
        // them back, so the run has failed.
        if (!FConversao.AtivaTriggers(BDDestino, Transacao, &motivo))
            throw EError(motivo);
        FConversao.PConfirmaTransacao(Transacao);
        ShowInformation(T("Conversão concluída com sucesso!"));
        resultado = true;
        Barra.SetProgress(0);
    } catch (const std::exception& e) {
        const Text reason = ErrorMessage(e);
        try {
            FConversao.PCancelaTransacao(Transacao);
        } catch (const std::exception&) {
            // A lost connection: the server discards the transaction by itself.
        }
        // The triggers go back on in a transaction of their own, so that the destination is
        // left as it was before the run.
        FConversao.AtivaTriggers(BDDestino, Transacao);
        MostraFalha(reason, Barra);
    }
    return resultado;
}
