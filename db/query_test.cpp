// Statements, parameters, cursors and fields against real database files.
#include <gtest/gtest.h>

#include "DatabaseError.h"
#include "FormatSettings.h"
#include "IBQuery.h"
#include "TempDatabase.h"

namespace {

Text MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EError& e) {
        return e.Message();
    }
    return u"(no error)";
}

class QueryTest : public ::testing::TestWithParam<int> {
  protected:
    QueryTest() : file(GetParam(), false), c(file.Path()) {
        SetFormatSettings(TFormatSettings::BrazilianPortuguese());
        ExecStatements(c.db, {u"CREATE TABLE T (ID INTEGER, NOME VARCHAR(20), QTD NUMERIC(15,2), "
                              u"DT DATE, CODIGO VARCHAR(10))"});
        q.SetDatabase(&c.db);
    }
    void Insert(int n) {
        TIBQuery ins;
        ins.SetDatabase(&c.db);
        ins.SQL().Add(u"INSERT INTO T (ID, NOME, CODIGO) VALUES (:ID, :NOME, :CODIGO)");
        for (int i = 1; i <= n; ++i) {
            ins.ParamByName(u"ID").SetValue(TValue::Integer(i));
            ins.ParamByName(u"NOME").SetAsString(u"n" + IntToText(i));
            ins.ParamByName(u"CODIGO").SetAsString(IntToText(1000 + i));
            ins.ExecSQL();
        }
    }
    TTempDatabase file;
    TConnection c;
    TIBQuery q;
};

}  // namespace

TEST_P(QueryTest, LayerErrorTexts) {
    EXPECT_EQ(MessageOf([&] { q.ExecSQL(); }), u"Empty SQL Statement");
    EXPECT_EQ(MessageOf([&] { q.Open(); }), u"Empty SQL Statement");
    q.SQL().Add(u"X");
    EXPECT_EQ(MessageOf([&] { q.ExecSQL(); }), u"Empty SQL Statement");
    EXPECT_EQ(MessageOf([&] { q.Next(); }), u"Cannot perform this operation on a closed dataset");
    EXPECT_EQ(MessageOf([&] { q.First(); }), u"Cannot perform this operation on a closed dataset");
    EXPECT_EQ(MessageOf([&] { q.ParamByName(u"NADA"); }), u"Parameter 'NADA' not found");
    q.SQL().SetText(u"SELECT * FROM T");
    q.Open();
    EXPECT_EQ(MessageOf([&] { q.ExecSQL(); }), u"Cannot perform this operation on an open dataset");
    EXPECT_EQ(MessageOf([&] { q.FieldByName(u"NADA"); }), u"Field 'NADA' not found");
    EXPECT_FALSE(q.FindField(u"NADA").has_value());
    EXPECT_EQ(q.FieldByName(u"nome").FieldName(), u"NOME");
}

TEST_P(QueryTest, DatabaseErrorsCarryTheServerTexts) {
    q.SQL().SetText(u"SELECT * FROM NAO_EXISTE");
    Text message = MessageOf([&] { q.Open(); });
    // Several texts joined by CR LF, no final full stop, no code in the message.
    EXPECT_NE(message.find(u"\r\n"), Text::npos) << ToUtf8(message);
    EXPECT_NE(message.find(u"NAO_EXISTE"), Text::npos);
    EXPECT_NE(message.back(), u'.');
    try {
        q.Open();
    } catch (const EIBError& e) {
        EXPECT_EQ(e.SQLCode(), -204);
        EXPECT_NE(e.ErrorCode(), 0);
    }
    // After a failed statement the transaction goes on with what came before it.
    Insert(1);
    q.SQL().SetText(u"INSERT INTO T (ID) VALUES ('x')");
    EXPECT_THROW(q.ExecSQL(), EIBError);
    EXPECT_TRUE(c.tr.InTransaction());
    q.SQL().SetText(u"SELECT COUNT(*) FROM T");
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 1);
}

TEST_P(QueryTest, PreparationIsReusedUntilTheTextChangesOrTheTransactionEnds) {
    q.SQL().Add(u"INSERT INTO T (ID) VALUES (:ID)");
    EXPECT_FALSE(q.Prepared());
    q.ParamByName(u"ID").SetValue(TValue::Integer(1));
    q.ExecSQL();
    EXPECT_TRUE(q.Prepared());
    q.ParamByName(u"ID").SetValue(TValue::Integer(2));
    q.ExecSQL();
    EXPECT_TRUE(q.Prepared());
    EXPECT_EQ(q.RowsAffected(), 1);
    c.tr.Commit();
    EXPECT_FALSE(q.Prepared());
    q.ExecSQL();  // prepared again, in a new transaction; the value stays
    q.SQL().Add(u"");
    EXPECT_FALSE(q.Prepared());
    q.SQL().SetText(u"SELECT COUNT(*) FROM T WHERE ID = 2");
    q.Open();
    EXPECT_EQ(q.Fields(0).AsInteger(), 2);
}

TEST_P(QueryTest, ParametersCarryTheirValuesOverByName) {
    q.SQL().Add(u"INSERT INTO T (ID, NOME) VALUES (:ID, :NOME)");
    q.ParamByName(u"id").SetValue(TValue::Integer(7));
    q.ParamByName(u"NOME").SetAsString(u"sete");
    q.SQL().SetText(u"INSERT INTO T (NOME, ID, CODIGO) VALUES (:NOME, :ID, :CODIGO)");
    EXPECT_EQ(q.ParamCount(), 3u);
    EXPECT_EQ(q.ParamByName(u"ID").Value(), TValue::Integer(7));
    EXPECT_EQ(q.ParamByName(u"NOME").AsString(), u"sete");
    EXPECT_TRUE(q.ParamByName(u"CODIGO").IsNull());
    q.ExecSQL();

    // A repeated name is a parameter per occurrence: ParamByName reaches only the first.
    q.SQL().SetText(u"SELECT COUNT(*) FROM T WHERE ID = :ID OR ID = :ID");
    EXPECT_EQ(q.ParamCount(), 2u);
    EXPECT_EQ(q.Params(1).Value(), TValue::Integer(7));
}

TEST_P(QueryTest, TextIsBoundByTheTargetColumnsType) {
    q.SQL().Add(u"INSERT INTO T (ID, NOME, QTD, DT, CODIGO) VALUES (:ID, :NOME, :QTD, :DT, :COD)");
    q.ParamByName(u"ID").SetAsString(u"");
    q.ParamByName(u"NOME").SetAsString(u"");
    q.ParamByName(u"QTD").SetAsString(u"");
    q.ParamByName(u"DT").SetAsString(u"");
    q.ParamByName(u"COD").SetAsString(u"42");
    q.ExecSQL();
    q.ParamByName(u"ID").SetAsString(u"5");
    q.ParamByName(u"QTD").SetAsString(u"12.5");  // the server reads numbers with "."
    q.ParamByName(u"DT").SetAsString(u"31/01/2020");
    q.ParamByName(u"COD").SetValue(TValue::Integer(43));
    q.ExecSQL();
    q.ParamByName(u"DT").SetAsString(u"2020-01-31");
    EXPECT_EQ(MessageOf([&] { q.ExecSQL(); }), u"'2020-01-31' is not a valid date and time");
    q.ParamByName(u"DT").SetAsString(u"01/01/2020");
    q.ParamByName(u"ID").SetAsString(u"cinco");
    EXPECT_THROW(q.ExecSQL(), EIBError);  // the server's conversion error

    q.SQL().SetText(u"SELECT * FROM T ORDER BY CODIGO");
    q.Open();
    EXPECT_TRUE(q.FieldByName(u"ID").IsNull());
    EXPECT_TRUE(q.FieldByName(u"QTD").IsNull());
    EXPECT_TRUE(q.FieldByName(u"DT").IsNull());
    EXPECT_FALSE(q.FieldByName(u"NOME").IsNull());  // empty text, not NULL
    EXPECT_EQ(q.FieldByName(u"NOME").AsString(), u"");
    q.Next();
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 5);
    EXPECT_EQ(q.FieldByName(u"QTD").AsString(), u"12,5");
    EXPECT_EQ(q.FieldByName(u"QTD").AsFloat(), 12.5);
    EXPECT_EQ(q.FieldByName(u"DT").AsString(), u"31/01/2020");
    EXPECT_EQ(q.FieldByName(u"CODIGO").AsString(), u"43");
}

TEST_P(QueryTest, CursorOverRowsInMemory) {
    Insert(340);
    q.SQL().Add(u"SELECT ID, NOME FROM T ORDER BY ID");
    q.Open();
    EXPECT_LT(q.RecordCount(), 340u);
    q.Last();
    EXPECT_EQ(q.RecordCount(), 340u);
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 340);
    q.First();
    int64_t sum = 0, rows = 0;
    while (!q.Eof()) {
        sum += q.FieldByName(u"ID").AsInteger();
        ++rows;
        q.Next();
    }
    EXPECT_EQ(rows, 340);
    EXPECT_EQ(sum, 340 * 341 / 2);
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 340);  // Next past the end stays on the last row
    q.Close();
    q.Open();
    EXPECT_FALSE(q.Eof());

    q.SQL().SetText(u"SELECT * FROM T WHERE ID < 0");
    q.Open();
    EXPECT_TRUE(q.Eof());
    q.Last();
    EXPECT_EQ(q.RecordCount(), 0u);
    EXPECT_TRUE(q.FieldByName(u"ID").IsNull());
}

TEST_P(QueryTest, FieldsReadAsTextAndNumbers) {
    Insert(1);
    q.SQL().Add(u"SELECT ID, NOME, QTD, CODIGO, CAST(NULL AS VARCHAR(5)) AS VAZIO FROM T");
    q.Open();
    EXPECT_EQ(q.FieldByName(u"QTD").AsInteger(), 0);  // NULL number reads as 0
    EXPECT_EQ(q.FieldByName(u"QTD").AsFloat(), 0);
    EXPECT_EQ(q.FieldByName(u"CODIGO").AsInteger(), 1001);  // text read as a number
    EXPECT_EQ(MessageOf([&] { q.FieldByName(u"NOME").AsInteger(); }),
              u"'n1' is not a valid integer value");
    EXPECT_EQ(MessageOf([&] { q.FieldByName(u"VAZIO").AsFloat(); }),
              u"'' is not a valid floating point value");
    EXPECT_EQ(q.FieldByName(u"ID").AsVariant(), TValue::Integer(1));
    EXPECT_EQ(q.FieldByName(u"VAZIO").AsString(), u"");

    // Committing closes the query; its fields are gone.
    TField nome = q.FieldByName(u"NOME");
    c.tr.Commit();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(MessageOf([&] { q.FieldByName(u"NOME"); }), u"Field 'NOME' not found");
    EXPECT_EQ(MessageOf([&] { nome.AsString(); }), u"Field 'NOME' not found");
}

TEST_P(QueryTest, LocateIsExactAndRestoresTheCursor) {
    Insert(5);
    TIBQuery up;
    up.SetDatabase(&c.db);
    up.SQL().Add(u"UPDATE T SET NOME = 'Abc' WHERE ID = 4");
    up.ExecSQL();
    up.SQL().SetText(u"UPDATE T SET NOME = NULL WHERE ID = 5");
    up.ExecSQL();
    q.SQL().Add(u"SELECT * FROM T ORDER BY ID");
    q.Open();
    q.Next();
    EXPECT_FALSE(q.Locate(u"NOME", TValue::FromText(u"abc")));
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 2);  // restored
    EXPECT_TRUE(q.Locate(u"NOME", TValue::FromText(u"Abc")));
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 4);
    EXPECT_TRUE(q.Locate(u"CODIGO", TValue::FromText(u"1003")));
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 3);
    EXPECT_TRUE(q.Locate(u"ID", TValue::FromText(u"1")));  // a number compared with a text
    EXPECT_EQ(q.RecNo(), 0u);
    EXPECT_TRUE(q.Locate(u"NOME", TValue()));  // NULL matches NULL only
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 5);
    EXPECT_TRUE(q.Locate(u"nome", TValue::FromText(u"ab"), {true, true}));
    EXPECT_EQ(q.FieldByName(u"ID").AsInteger(), 4);

    auto index = q.KeyIndex(u"NOME");
    EXPECT_EQ(index.size(), 4u);  // the NULL is left out
    EXPECT_EQ(index.at(u"Abc"), 3u);
    EXPECT_EQ(index.count(u"abc"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Dialects, QueryTest, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });
