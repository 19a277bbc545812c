// What the operator does before a run: the option list and the checks.
#include <gtest/gtest.h>

#include "Error.h"
#include "Operacoes.h"
#include "RecordingPlatform.h"
#include "TempDatabase.h"

TEST(Operacoes, OptionListHoldsTheBareNamesThenTheTickedKeys) {
    TStringList list;
    pIniciaListaParametros(list);
    TOpcoesConversao opcoes;
    opcoes.set(0);  // Clientes
    opcoes.set(2);  // Produtos
    pCarregaParametros(list, opcoes);
    ASSERT_EQ(list.Count(), 10u);
    EXPECT_EQ(list[0], u"CLIENTES");
    EXPECT_EQ(list[7], u"CAMINHO BD ORIGEM");
    EXPECT_EQ(list[8], u"CLIENTES=S");
    EXPECT_EQ(list[9], u"PRODUTOS=S");
}

TEST(Operacoes, ChecksBeforeARun) {
    TRecordingPlatform platform;
    EXPECT_FALSE(VerificaCaminhoBDVazio(u"x.FB"));
    EXPECT_TRUE(VerificaCaminhoBDVazio(u""));
    TIBDatabase db;
    TIBTransaction tr;
    ConfiguraConexao(db, tr);
    EXPECT_TRUE(VerificaConexaoBD(db));
    EXPECT_EQ(platform.messages,
              (std::vector<TRecordedMessage>{
                  {TMessageKind::Warning, T("O caminho do banco de dados está vazio!")},
                  {TMessageKind::Warning,
                   T("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se "
                     "o arquivo selecionado é válido! ")}}));

    TTempDatabase file;
    PreparaAbertura(tr, db);
    ConectaBanco(tr, db, file.Path());
    EXPECT_TRUE(tr.InTransaction());
    EXPECT_FALSE(VerificaConexaoBD(db));
    PreparaAbertura(tr, db);  // reopening: rolled back and disconnected
    EXPECT_FALSE(db.Connected());
    EXPECT_THROW(ConectaBanco(tr, db, file.Path() + u".nao"), EError);
    EXPECT_FALSE(db.Connected());
    EXPECT_FALSE(tr.InTransaction());
}

TEST(Operacoes, WarnsOfTheConversionsTriggersSwitchedOff) {
    const Text kAviso = T("As Triggers do banco de dados de destino estão desativadas: ");
    const Text kFim = T(". A próxima conversão concluída com sucesso irá ativá-las novamente.");
    TTempDatabase file;
    TIBDatabase db;
    TIBTransaction tr;
    ConfiguraConexao(db, tr);
    const auto reopenAfter = [&](const std::vector<Text>& statements) {
        PreparaAbertura(tr, db);
        TConnection c(file.Path());
        ExecStatements(c.db, statements);
        c.db.Close();
        ConectaBanco(tr, db, file.Path());
    };
    struct Case {
        std::vector<Text> statements;  // applied before the destination is opened
        Text names;                    // empty: no warning
    } cases[] = {
        {{}, u""},
        // Named in the order of the switch; other triggers do not count.
        {{u"ALTER TRIGGER COMPCLIE_AU0 INACTIVE", u"ALTER TRIGGER MVGERAL_AI0 INACTIVE",
          u"CREATE TRIGGER OUTRA_BI0 FOR UNIDADES INACTIVE BEFORE INSERT AS BEGIN END"},
         u"MVGERAL_AI0, COMPCLIE_AU0"},
        // A missing trigger is not a switched-off one.
        {{u"ALTER TRIGGER COMPCLIE_AU0 ACTIVE", u"ALTER TRIGGER MVGERAL_AI0 ACTIVE",
          u"DROP TRIGGER PRODUTO_BI0"},
         u""},
        {{u"ALTER TRIGGER MVGERAL_BU0 INACTIVE"}, u"MVGERAL_BU0"},
    };
    for (const Case& c : cases) {
        reopenAfter(c.statements);
        TRecordingPlatform platform;
        EXPECT_EQ(VerificaTriggersDesativadas(db), !c.names.empty());
        if (c.names.empty())
            EXPECT_TRUE(platform.messages.empty());
        else
            EXPECT_EQ(
                platform.messages,
                (std::vector<TRecordedMessage>{{TMessageKind::Warning, kAviso + c.names + kFim}}));
        EXPECT_TRUE(tr.InTransaction());  // as "Abrir" left it
    }

    PreparaAbertura(tr, db);  // not connected: not looked at
    TRecordingPlatform platform;
    EXPECT_FALSE(VerificaTriggersDesativadas(db));
    EXPECT_TRUE(platform.messages.empty());
}
