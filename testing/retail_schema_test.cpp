#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "DatabaseError.h"
#include "IBQuery.h"
#include "RetailSchema.h"
#include "TempDatabase.h"

namespace {

int64_t QueryInteger(TIBDatabase& db, TextView sql) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(sql);
    q.Open();
    return q.Fields(0).AsInteger();
}

std::vector<Text> UserTables(TIBDatabase& db) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(
        u"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS "
        u"WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL");
    q.Open();
    std::vector<Text> out;
    for (; !q.Eof(); q.Next())
        out.push_back(Trim(q.Fields(0).AsString()));
    std::sort(out.begin(), out.end());
    return out;
}

// The opening stock movement exactly as the stock movement writer sends it.
const Text kMovementInsert =
    u"INSERT INTO MVGERAL (CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, DOCUMENTO, CODPROD, CODGRADE, "
    u"DT_MOVIMENTO, TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO) VALUES ( '00', 'F', '000000', "
    u"'09122026', '010123', '0000', '09.12.2026', '04', 12.5, 3.2, 3.1) ";

class RetailSchemaTest : public ::testing::TestWithParam<int> {
  protected:
    TTempDatabase temp{GetParam()};
    TConnection c{temp.Path()};
};

TEST_P(RetailSchemaTest, HasEveryTableEmptyAndEveryTriggerActive) {
    c.db.Open();
    EXPECT_EQ(c.db.DatabaseSQLDialect(), GetParam());

    std::vector<Text> expected = RetailTableNames();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(UserTables(c.db), expected);
    c.tr.Commit();
    for (const Text& table : RetailTableNames())
        EXPECT_EQ(CountRows(c.db, table), 0) << ToUtf8(table);

    for (const Text& trigger : RetailTriggerNames()) {
        EXPECT_TRUE(TriggerActive(c.db, trigger)) << ToUtf8(trigger);
    }
    EXPECT_TRUE(InactiveTriggers(c.db).empty());
    EXPECT_THROW(TriggerActive(c.db, u"NO_SUCH_TRIGGER"), EError);
    // The read helpers end the transaction they had to start.
    EXPECT_FALSE(c.tr.InTransaction());
}

TEST_P(RetailSchemaTest, EveryTriggerLogsOneRowWhenItFires) {
    ExecStatements(c.db, {kMovementInsert});
    EXPECT_EQ(QueryInteger(c.db,
                           u"SELECT COUNT(*) FROM MVGERAL WHERE DT_MOVIMENTO = '09.12.2026' "
                           u"AND TIPOMOV = '04' AND QUANTIDADE = 12.5 AND CANCELADO = 'N'"),
              1);
    ExecStatements(c.db,
                   {
                       u"UPDATE MVGERAL SET SEQUENCIA = 1, ESTOQANT = 0",
                       u"DELETE FROM MVGERAL",
                       u"INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('000123', 'PREGO')",
                       u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEMAE) VALUES ('00005000', 'ANA')",
                       u"UPDATE COMPCLIE SET CONCEITO = 'A'",
                   });

    const std::vector<Text> expected = {
        u"MVGERAL_BI0:010123", u"MVGERAL_AI0:010123",    u"MVGERAL_BU0:010123",
        u"MVGERAL_AU0:010123", u"MVGERAL_BD0:010123",    u"MVGERAL_AD0:010123",
        u"PRODUTO_BI0:000123", u"COMPCLIE_AI0:00005000", u"COMPCLIE_AU0:00005000",
    };
    EXPECT_EQ(TriggerLog(c.db), expected);
}

TEST_P(RetailSchemaTest, InactiveTriggerIsReportedAndLogsNothing) {
    ExecStatements(c.db, {u"ALTER TRIGGER MVGERAL_BI0 INACTIVE", kMovementInsert});

    EXPECT_FALSE(TriggerActive(c.db, u"mvgeral_bi0"));
    EXPECT_TRUE(TriggerActive(c.db, u"MVGERAL_AI0"));
    EXPECT_EQ(InactiveTriggers(c.db), std::vector<Text>{u"MVGERAL_BI0"});
    EXPECT_EQ(TriggerLog(c.db), std::vector<Text>{u"MVGERAL_AI0:010123"});
}

// The stock correction selects movement type 04 written between double quotes: a text in
// dialect 1, an unknown column in dialect 3.
TEST_P(RetailSchemaTest, DoubleQuotedMovementTypeIsTextOnlyInDialect1) {
    ExecStatements(c.db, {kMovementInsert});
    const Text update =
        u"UPDATE MVGERAL SET QUANTIDADE = 15, ESTOQANT = 0, SEQUENCIA = 3 "
        u"WHERE CODPROD = '010123' AND TIPOMOV = \"04\"";
    if (GetParam() == 1) {
        ExecStatements(c.db, {update});
        EXPECT_EQ(QueryInteger(c.db, u"SELECT SEQUENCIA FROM MVGERAL"), 3);
    } else {
        EXPECT_THROW(ExecStatements(c.db, {update}), EIBError);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, RetailSchemaTest, ::testing::Values(1, 3),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Dialect" + std::to_string(info.param);
                         });

TEST(TableChecksum, IgnoresRowOrderButSeesNullVersusEmptyText) {
    TTempDatabase a, b;
    TConnection ca(a.Path()), cb(b.Path());
    const Text first =
        u"INSERT INTO CLIENTE (CODCLIENTE, NOME, LIMITECREDITO) VALUES ('1', 'A', 10.5)";
    const Text second =
        u"INSERT INTO CLIENTE (CODCLIENTE, NOME, DT_CADASTRO) VALUES ('2', 'B', '01.02.2020')";
    ExecStatements(ca.db, {first, second});
    ExecStatements(cb.db, {second, first});
    EXPECT_EQ(TableChecksum(ca.db, u"CLIENTE"), TableChecksum(cb.db, u"CLIENTE"));

    ExecStatements(cb.db, {u"UPDATE CLIENTE SET FANTASIA = '' WHERE CODCLIENTE = '2'"});
    EXPECT_NE(TableChecksum(ca.db, u"CLIENTE"), TableChecksum(cb.db, u"CLIENTE"));
}

TEST(TTempDatabase, GivesEachDatabaseItsOwnFolderAndRemovesIt) {
    std::filesystem::path folder;
    {
        TTempDatabase a(3, false), b(1, false);
        EXPECT_NE(a.Path(), b.Path());
        folder = a.Folder();
        EXPECT_TRUE(std::filesystem::exists(folder / "BANCO.FB"));
        TConnection c(b.Path());
        c.db.Open();
        EXPECT_EQ(c.db.DatabaseSQLDialect(), 1);
        EXPECT_THROW(CountRows(c.db, u"TRIGGER_LOG"), EIBError);  // no schema asked for
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
