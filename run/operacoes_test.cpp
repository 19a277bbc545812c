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
    opcoes.clientes = true;
    opcoes.produtos = true;
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
