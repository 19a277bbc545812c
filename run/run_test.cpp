// The conversion run over fixture databases: step selection and order, success, and every
// way it can fail leaving the destination exactly as it was.
#include <gtest/gtest.h>

#include "ClassesConversaoController.h"
#include "DatabaseError.h"
#include "FaultInjection.h"
#include "IBQuery.h"
#include "MergeTest.h"
#include "Operacoes.h"
#include "RetailSchema.h"
#include "TempDatabase.h"

namespace {

const Text kSucesso = T("Conversão concluída com sucesso!");
const Text kErro = T("Ocorreu um erro durante a conversão! Motivo: ");

class RunTest : public TMergeTest {
  protected:
    RunTest() {
        ExecStatements(
            origin.db,
            {
                u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('1', 'Ana')",
                u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('2', 'Bia')",
                u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('1', 'Pai')",
                u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000123', 'Ferragens')",
                u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000124', 'Tintas')",
                u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0001', '84713012')",
                u"INSERT INTO PRODUTO (CODPROD, DESCRICAO, CODCLASFIS, PRINCIPALFORNEC) "
                u"VALUES ('000001', 'Parafuso', '0001', '000123')",
                u"INSERT INTO PRODUTO (CODPROD, DESCRICAO, CODCLASFIS, PRINCIPALFORNEC) "
                u"VALUES ('000002', 'Prego', NULL, NULL)",
                u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO) "
                u"VALUES ('000001', 5, 2, 3)",
                u"INSERT INTO PRODUTODETALHE (CODPROD, GARANTIAMESES) VALUES ('000002', 6)",
            });
        ExecStatements(destination.db,
                       {
                           u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('M0000001', 'Matriz')",
                           u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('M0000001', 'X')",
                           u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('900001', 'Matriz')",
                       });
        // As after "Abrir" on both files.
        destination.db.SetConnected(true);
        destination.tr.StartTransaction();
        before = Snapshot();
    }
    ~RunTest() override { SetStatementHook({}); }

    bool Run(std::initializer_list<const char16_t*> lines) {
        TStringList list;
        for (auto* l : lines)
            list.Add(l);
        return TClassesConversaoController().FEfetuaConversao(list, origin.db, destination.db,
                                                              destination.tr, gauge, label);
    }

    std::vector<Text> Snapshot() {
        std::vector<Text> s;
        for (const auto& table : RetailTableNames())
            s.push_back(TableChecksum(destination.db, table));
        return s;
    }

    // The step prefixes in the order the label first showed them.
    std::vector<Text> StepsShown() {
        std::vector<Text> steps;
        for (const auto& caption : label.captions) {
            Text prefix = caption.substr(0, caption.find(u" - Registro"));
            if (!caption.empty() && (steps.empty() || steps.back() != prefix))
                steps.push_back(prefix);
        }
        return steps;
    }

    std::vector<Text> before;
};

}  // namespace

TEST_P(RunTest, SelectionRule) {
    struct Case {
        std::vector<const char16_t*> lines;
        std::vector<Text> steps;
    } cases[] = {
        {{u"CLIENTES=S"}, {u"Convertendo Clientes"}},
        {{u"clientes=S"}, {u"Convertendo Clientes"}},
        {{u"CLIENTES=s"}, {}},
        {{u"CLIENTES= S"}, {}},
        {{u"CLIENTES=SIM"}, {}},
        {{u"CLIENTES", u"FORNECEDORES", u"PRODUTOS", u"CAMINHO BD DESTINO"}, {}},
        {{u"CLIENTES=N", u"CLIENTES=S"}, {}},  // the first line of a name decides
        {{u"FORNECEDORES=S", u"CAMINHO BD ORIGEM=S", u"CLIENTES=S"},
         {u"Convertendo Clientes", u"Convertendo Fornecedores"}},
        {{u"ATUALIZACLASFISC=S", u"PRODUTOS=S"},
         {u"Convertendo Produtos", T("Atualizando Classificação Fiscal")}},
        {{u"ATUALIZAFORNEC=S", u"ATUALIZACLASFISC=S", u"ATUALIZAESTOQUE=S", u"PRODUTOS=S",
          u"FORNECEDORES=S", u"CLIENTES=S"},
         {u"Convertendo Clientes", u"Convertendo Fornecedores", u"Convertendo Produtos",
          u"Atualizando Estoques", T("Atualizando Classificação Fiscal"),
          u"Atualizando Fornecedores de Produtos"}},
    };
    for (const auto& c : cases) {
        TTempDatabase fresh(GetParam());
        TConnection dest(fresh.Path());
        dest.db.SetConnected(true);
        TRecordingPlatform recorder;
        TRecordingLabel caseLabel;
        TStringList list;
        for (auto* l : c.lines)
            list.Add(l);
        label.captions.clear();
        EXPECT_TRUE(TClassesConversaoController().FEfetuaConversao(list, origin.db, dest.db,
                                                                   dest.tr, gauge, label));
        EXPECT_EQ(StepsShown(), c.steps) << ToUtf8(c.lines.front());
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0], (TRecordedMessage{TMessageKind::Information, kSucesso}));
        EXPECT_TRUE(InactiveTriggers(dest.db).empty());
    }
}

TEST_P(RunTest, SuccessCommitsEverythingWithTheTriggersOff) {
    const std::vector<Text> logBefore = TriggerLog(destination.db);
    EXPECT_TRUE(Run({u"FORNECEDORES=S", u"CLIENTES=S"}));
    EXPECT_EQ(platform.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Information, kSucesso}}));
    EXPECT_FALSE(destination.tr.InTransaction());
    EXPECT_EQ(CountRows(destination.db, u"CLIENTE"), 3);
    EXPECT_EQ(CountRows(destination.db, u"COMPCLIE"), 2);
    EXPECT_EQ(CountRows(destination.db, u"FORNECE"), 3);
    EXPECT_EQ(TriggerLog(destination.db), logBefore);  // no trace of the merged rows
    EXPECT_TRUE(InactiveTriggers(destination.db).empty());
    EXPECT_EQ(label.Caption(), u"");
    EXPECT_EQ(gauge.Progress(), 0);

    // A second run starts with no transaction in progress and behaves the same; here its
    // client codes meet the first run's and the destination refuses them.
    platform.messages.clear();
    EXPECT_FALSE(Run({u"CLIENTES=S"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind(kErro, 0), 0u);
    EXPECT_EQ(CountRows(destination.db, u"CLIENTE"), 3);
}

TEST_P(RunTest, AllSixSteps) {
    EXPECT_TRUE(Run({u"CLIENTES=S", u"FORNECEDORES=S", u"PRODUTOS=S", u"ATUALIZAESTOQUE=S",
                     u"ATUALIZACLASFISC=S", u"ATUALIZAFORNEC=S"}));
    EXPECT_EQ(platform.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Information, kSucesso}}));
    EXPECT_EQ(CountRows(destination.db, u"PRODUTO"), 2);
    EXPECT_EQ(CountRows(destination.db, u"MVGERAL"), 1);
    TIBQuery q;
    q.SetDatabase(&destination.db);
    q.SQL().SetText(
        u"SELECT P.CODCLASFIS, P.PRINCIPALFORNEC, M.SEQUENCIA, M.ESTOQANT, C.ESTOQUE "
        u"FROM PRODUTO P JOIN MVGERAL M ON M.CODPROD = P.CODPROD "
        u"JOIN COMPPROD C ON C.CODPROD = P.CODPROD WHERE P.CODPROD = '010001'");
    q.Open();
    EXPECT_EQ(q.Fields(0).AsString(), u"0001");  // created in the destination by its NCM
    EXPECT_EQ(q.Fields(1).AsString(), u"");      // the destination has no such supplier
    EXPECT_EQ(q.Fields(2).AsInteger(), 1);
    EXPECT_EQ(q.Fields(3).AsInteger(), 0);
    EXPECT_EQ(q.Fields(4).AsInteger(), 0);
    q.Close();
    EXPECT_TRUE(InactiveTriggers(destination.db).empty());
}

TEST_P(RunTest, AFailureInTheLastStepLeavesTheDestinationAsItWas) {
    SetStatementHook([](const Text& sql) {
        if (sql.find(u"PRODUTO.PRINCIPALFORNEC = :PPRINCIPALFORNEC") != Text::npos)
            throw EDatabaseError(u"falha simulada");
    });
    EXPECT_FALSE(Run({u"CLIENTES=S", u"FORNECEDORES=S", u"PRODUTOS=S", u"ATUALIZAESTOQUE=S",
                      u"ATUALIZACLASFISC=S", u"ATUALIZAFORNEC=S"}));
    EXPECT_EQ(platform.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Error, kErro + u"falha simulada"}}));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(InactiveTriggers(destination.db).empty());
    EXPECT_EQ(label.Caption(), u"Atualizando Fornecedores de Produtos - Registro 1 de 2");
}

TEST_P(RunTest, AFailingStepUndoesTheWholeRun) {
    ExecStatements(origin.db, {u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999123', 'Dup')"});
    EXPECT_FALSE(Run({u"CLIENTES=S", u"FORNECEDORES=S"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].kind, TMessageKind::Error);
    EXPECT_EQ(platform.messages[0].text.rfind(kErro, 0), 0u);
    EXPECT_NE(platform.messages[0].text.find(u"PK_FORNECE"), Text::npos)
        << ToUtf8(platform.messages[0].text);
    EXPECT_EQ(Snapshot(), before);  // the clients of the first step are gone too
    EXPECT_TRUE(InactiveTriggers(destination.db).empty());
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_EQ(gauge.MaxValue(), 0);
    EXPECT_EQ(label.Caption(), u"Convertendo Fornecedores - Registro 3 de 3");
    EXPECT_FALSE(destination.tr.InTransaction());
}

TEST_P(RunTest, AFailedSwitchOffRunsNoStep) {
    ExecStatements(destination.db, {u"DROP TRIGGER MVGERAL_BU0"});
    before = Snapshot();
    EXPECT_FALSE(Run({u"CLIENTES=S"}));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].kind, TMessageKind::Warning);
    EXPECT_EQ(platform.messages[0].text.rfind(T("Erro ao desativar as Triggers: "), 0), 0u);
    const Text reason = platform.messages[0].text.substr(31);
    EXPECT_EQ(platform.messages[1], (TRecordedMessage{TMessageKind::Error, kErro + reason}));
    EXPECT_TRUE(label.captions.empty());
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(InactiveTriggers(destination.db).empty());
}

TEST_P(RunTest, AFailedSwitchOnIsAFailure) {
    int failures = 0;
    SetStatementHook([&](const Text& sql) {
        if (sql == u"ALTER TRIGGER COMPCLIE_AI0 ACTIVE" && failures++ == 0)
            throw EDatabaseError(u"falha simulada");
    });
    EXPECT_FALSE(Run({u"CLIENTES=S", u"FORNECEDORES=S"}));
    EXPECT_EQ(platform.messages,
              (std::vector<TRecordedMessage>{
                  {TMessageKind::Warning, T("Erro ao ativar as Triggers: falha simulada")},
                  {TMessageKind::Error, kErro + u"falha simulada"}}));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(InactiveTriggers(destination.db).empty());  // switched on again afterwards
}

TEST_P(RunTest, AMissingDestinationColumnFailsTheRun) {
    ExecStatements(origin.db, {u"ALTER TABLE CLIENTE ADD APELIDO VARCHAR(20)"});
    EXPECT_FALSE(Run({u"CLIENTES=S"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find(u"APELIDO"), Text::npos);
    EXPECT_EQ(Snapshot(), before);
}

TEST_P(RunTest, ColumnNamesThatAreNoPlainIdentifiersAreRefused) {
    if (GetParam() == 1)
        GTEST_SKIP() << "dialect 1 has no quoted names";
    ExecStatements(origin.db, {u"ALTER TABLE FORNECE ADD \"NOME) VALUES (1); --\" VARCHAR(5)"});
    EXPECT_FALSE(Run({u"CLIENTES=S", u"FORNECEDORES=S"}));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              kErro + T("A tabela FORNECE da origem tem a coluna \"NOME) VALUES (1); --\", cujo "
                        "nome não é um identificador simples; a tabela não pode ser copiada"));
    EXPECT_EQ(Snapshot(), before);
}

TEST_P(RunTest, AnOriginWithoutNameFailsAtItsFirstRead) {
    TIBDatabase noName;
    TIBTransaction noNameTr;
    ConfiguraConexao(noName, noNameTr);
    TStringList list;
    list.Add(u"CLIENTES=S");
    EXPECT_FALSE(TClassesConversaoController().FEfetuaConversao(list, noName, destination.db,
                                                                destination.tr, gauge, label));
    EXPECT_EQ(platform.messages, (std::vector<TRecordedMessage>{
                                     {TMessageKind::Error, kErro + u"Database name is missing"}}));
    EXPECT_EQ(Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Dialects, RunTest, ::testing::Values(1, 3), DialectName);
