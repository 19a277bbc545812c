#include "Operacoes.h"

#include <set>

#include "IBQuery.h"
#include "Login.h"
#include "Platform.h"
#include "classConversao.h"

void ConfiguraConexao(TIBDatabase& banco, TIBTransaction& transacao) {
    banco.Params().Clear();
    banco.Params().Add(u"user_name=" + Text(kFixedUser));
    banco.Params().Add(u"password=" + Text(kFixedPassword));
    banco.SetDefaultTransaction(&transacao);
    transacao.SetDefaultDatabase(&banco);
}

void PreparaAbertura(TIBTransaction& transacao, TIBDatabase& banco) {
    transacao.SetActive(false);
    banco.SetConnected(false);
}

void ConectaBanco(TIBTransaction& transacao, TIBDatabase& banco, const Text& caminho) {
    banco.SetDatabaseName(caminho);
    banco.SetConnected(true);
    if (banco.TestConnected())
        transacao.SetActive(true);
}

bool VerificaCaminhoBDVazio(const Text& caminhoDestino) {
    if (!caminhoDestino.empty())
        return false;
    ShowWarning(T("O caminho do banco de dados está vazio!"));
    return true;
}

bool VerificaConexaoBD(TIBDatabase& destino) {
    if (destino.TestConnected())
        return false;
    ShowWarning(
        T("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
          "selecionado é válido! "));
    return true;
}

bool VerificaTriggersDesativadas(TIBDatabase& destino) {
    if (!destino.Connected())
        return false;
    TIBQuery qryBusca;
    qryBusca.SetDatabase(&destino);
    qryBusca.SQL().SetText(
        u"SELECT RDB$TRIGGER_NAME FROM RDB$TRIGGERS WHERE RDB$TRIGGER_INACTIVE = 1");
    qryBusca.Open();
    std::set<Text> vInativas;
    for (; !qryBusca.Eof(); qryBusca.Next())
        vInativas.insert(Trim(qryBusca.Fields(0).AsString()));
    qryBusca.Close();

    Text vNomes;
    for (const char16_t* trigger : TConversao::Triggers()) {
        if (vInativas.count(trigger) == 0)
            continue;
        if (!vNomes.empty())
            vNomes += u", ";
        vNomes += trigger;
    }
    if (vNomes.empty())
        return false;
    ShowWarning(T("As Triggers do banco de dados de destino estão desativadas: ") + vNomes +
                T(". A próxima conversão concluída com sucesso irá ativá-las novamente."));
    return true;
}

void pIniciaListaParametros(TStringList& MParams) {
    for (const TPasso& passo : Passos())
        MParams.Add(passo.chave);
    MParams.Add(u"CAMINHO BD DESTINO");
    MParams.Add(u"CAMINHO BD ORIGEM");
}

void pCarregaParametros(TStringList& MParams, const TOpcoesConversao& opcoes) {
    for (size_t i = 0; i < kQuantidadePassos; ++i)
        if (opcoes[i])
            MParams.SetValue(Passos()[i].chave, u"S");
}
