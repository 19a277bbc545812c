#include "classConversao.h"

#include "Error.h"
#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Platform.h"

namespace {

constexpr const char16_t* kTriggers[] = {
    u"PRODUTO_BI0", u"MVGERAL_AD0", u"MVGERAL_AI0",  u"MVGERAL_AU0",  u"MVGERAL_BD0",
    u"MVGERAL_BI0", u"MVGERAL_BU0", u"COMPCLIE_AI0", u"COMPCLIE_AU0",
};

}  // namespace

TConversao::TConversao(TIBDatabase* cBanco) : cnBanco(cBanco) {
    QDestino.SetDatabase(cnBanco);
    QAuxiliar.SetDatabase(cnBanco);
}

TConversao::~TConversao() = default;

void TConversao::PIniciaTransacao(TIBTransaction& transacao) {
    if (!transacao.InTransaction())
        transacao.StartTransaction();
}

void TConversao::PConfirmaTransacao(TIBTransaction& transacao) {
    if (transacao.InTransaction())
        transacao.Commit();
}

void TConversao::PCancelaTransacao(TIBTransaction& transacao) {
    if (transacao.InTransaction())
        transacao.Rollback();
}

bool TConversao::SwitchTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao, bool active,
                                Text* reason) {
    TIBQuery query;
    try {
        query.SetDatabase(&DbDestino);
        PIniciaTransacao(Transacao);
        for (const char16_t* trigger : kTriggers) {
            query.SQL().Clear();
            query.SQL().Add(u"ALTER TRIGGER " + Text(trigger) +
                            (active ? u" ACTIVE" : u" INACTIVE"));
            query.ExecSQL();
        }
        PConfirmaTransacao(Transacao);
        return true;
    } catch (const std::exception& e) {
        const Text message = ErrorMessage(e);
        if (reason)
            *reason = message;
        ShowWarning(
            (active ? T("Erro ao ativar as Triggers: ") : T("Erro ao desativar as Triggers: ")) +
            message);
        try {
            PCancelaTransacao(Transacao);
        } catch (const std::exception&) {
            // A lost connection: the server has discarded the transaction, and the refused
            // rollback let its handle go. The switch's own failure is the one reported.
        }
        return false;
    }
}

std::span<const char16_t* const> TConversao::Triggers() {
    return kTriggers;
}

bool TConversao::DesativaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao, Text* reason) {
    return SwitchTriggers(DbDestino, Transacao, false, reason);
}

bool TConversao::AtivaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao, Text* reason) {
    return SwitchTriggers(DbDestino, Transacao, true, reason);
}

void TConversao::PLimpaTabela(const Text& NomeTabela) {
    TIBQuery QLimpa;
    try {
        QLimpa.SetDatabase(cnBanco);
        QLimpa.SQL().SetText(u"DELETE FROM " + NomeTabela);
        QLimpa.ExecSQL();
        QLimpa.SQL().SetText(u"COMMIT");
        QLimpa.ExecSQL();
    } catch (const std::exception& e) {
        ErroGravacao = true;
        ShowError(T("Erro na Exclusão da tabela ") + NomeTabela + u".\r" + ErrorMessage(e) +
                  T("\rVerifique se a tabela está em Transação."));
    }
}
