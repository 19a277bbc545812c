// The clients step on fixture databases.
#include <gtest/gtest.h>

#include "ClientesController.h"
#include "IBQuery.h"
#include "MergeTest.h"

namespace {

class ClientesTest : public TMergeTest {
  protected:
    void Convert() {
        destination.db.SetConnected(true);
        destination.tr.StartTransaction();
        TClientesController().PreencheDadosClientes(origin.db, destination.db, gauge, label);
        destination.tr.Commit();
    }
};

}  // namespace

TEST_P(ClientesTest, ClientsGetNewCodesWithTheirFirstComplement) {
    ExecStatements(origin.db,
                   {
                       u"INSERT INTO CLIENTE (CODCLIENTE, NOME, EMAIL) VALUES ('C1', 'Ana', NULL)",
                       u"INSERT INTO CLIENTE (CODCLIENTE, NOME, EMAIL) VALUES ('C2', 'Bia', 'b@x')",
                       u"INSERT INTO CLIENTE (CODCLIENTE, NOME, EMAIL) VALUES ('c3', 'Caio', '')",
                       u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('C1', 'primeiro')",
                       u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('C1', 'segundo')",
                       u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('C3', 'caixa errada')",
                       u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('C9', 'sem cliente')",
                       u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('c3', NULL)",
                   });
    Convert();
    EXPECT_EQ(Rows(u"SELECT CODCLIENTE, NOME, EMAIL FROM CLIENTE ORDER BY CODCLIENTE"),
              (std::vector<Text>{u"00005000 Ana <null>", u"00005001 Bia b@x", u"00005002 Caio "}));
    EXPECT_EQ(Rows(u"SELECT CODCLIENTE, NOMEPAI FROM COMPCLIE ORDER BY CODCLIENTE"),
              (std::vector<Text>{u"00005000 primeiro", u"00005002 <null>"}));
    // Written while the run has the triggers on here, so each complement fired its trigger
    // before its client was written.
    EXPECT_EQ(TriggerLog(destination.db),
              (std::vector<Text>{u"COMPCLIE_AI0:00005000", u"COMPCLIE_AI0:00005002"}));
}

TEST_P(ClientesTest, ProgressAndCodesOverManyRows) {
    {
        TIBQuery ins;
        ins.SetDatabase(&origin.db);
        ins.SQL().Add(u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES (:C, :N)");
        for (int i = 1; i <= 341; ++i) {
            ins.ParamByName(u"C").SetAsString(u"K" + IntToText(i));
            ins.ParamByName(u"N").SetAsString(u"Cliente " + IntToText(i));
            ins.ExecSQL();
        }
        origin.tr.Commit();
    }
    Convert();
    EXPECT_EQ(Rows(u"SELECT CODCLIENTE FROM CLIENTE WHERE NOME = 'Cliente 341'"),
              std::vector<Text>{u"00005340"});
    ASSERT_EQ(label.captions.size(), 342u);
    EXPECT_EQ(label.captions.front(), u"Convertendo Clientes - Registro 1 de 341");
    EXPECT_EQ(label.captions[340], u"Convertendo Clientes - Registro 341 de 341");
    EXPECT_EQ(label.captions.back(), u"");
    EXPECT_EQ(platform.processed, 341);
    EXPECT_EQ(gauge.states.front(), (TRecordingGauge::TState{0, 341}));
    EXPECT_EQ(gauge.states[gauge.states.size() - 3], (TRecordingGauge::TState{341, 341}));
    EXPECT_EQ(gauge.states.back(), (TRecordingGauge::TState{0, 0}));
}

TEST_P(ClientesTest, AnEmptyOriginWritesNothing) {
    ExecStatements(origin.db, {u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('C1')"});
    Convert();
    EXPECT_EQ(CountRows(destination.db, u"COMPCLIE"), 0);
    EXPECT_EQ(label.captions, std::vector<Text>{u""});
    EXPECT_EQ(gauge.states.back(), (TRecordingGauge::TState{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Dialects, ClientesTest, ::testing::Values(1, 3), DialectName);
