#include "ClassesConversaoController.h"

#include "Error.h"
#include "Passos.h"
#include "Platform.h"
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

    try {
        // Each key is looked up just before its step.
        const TArgumentosPasso argumentos{BDOrigem, BDDestino, Transacao, Barra, lblInfo};
        for (const TPasso& passo : Passos())
            if (MParams.Value(passo.chave) == u"S")
                passo.executa(argumentos);
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
