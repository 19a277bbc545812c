// The opening stock movement: its statement text and the row it writes.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Clock.h"
#include "FormatSettings.h"
#include "IBQuery.h"
#include "RecordingPlatform.h"
#include "TempDatabase.h"
#include "classConversao.h"

namespace {

class StockMovementTest : public ::testing::Test {
  protected:
    StockMovementTest() {
        FixClock({{2026, 12, 9}, {23, 59, 59, 0}});
        SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    }
    ~StockMovementTest() override {
        ResetClock();
        SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    }
};

// The text after the fixed head.
Text Values(const Text& sql) {
    return sql.substr(1072);
}

}  // namespace

TEST_F(StockMovementTest, StatementText) {
    const Text sql = TConversao::TextoEstoqueProduto(u"00", u"010123", 12.5, 3.2, 3.1);
    const Text head = sql.substr(0, 1072);
    EXPECT_EQ(head.rfind(u"INSERT INTO MVGERAL (" + Text(88, u' ') + u"CODEMPRESA,", 0), 0u);
    EXPECT_EQ(head.substr(head.size() - 72), Text(63, u' ') + u"VALUES ( ");
    EXPECT_EQ(Values(sql),
              u"'00', 'F', '000000', '09122026', '010123', '0000', '09.12.2026', '04', 12.5, 3.2, "
              u"3.1) ");
}

TEST_F(StockMovementTest, ValuesAsWritten) {
    struct Case {
        const char16_t* empresa;
        const char16_t* produto;
        double estoque;
        const char16_t* expected;
    } cases[] = {
        {u"", u"010123", 0,
         u"'00', 'F', '000000', '09122026', '010123', '0000', '09.12.2026', '04', 0, 0, 0) "},
        {u"   ", u"AB'C", 1000000,
         u"'00', 'F', '000000', '09122026', 'AB''C', '0000', '09.12.2026', '04', 1000000, 0, 0) "},
        {u" 1", u"X", -3,
         u"' 1', 'F', '000000', '09122026', 'X', '0000', '09.12.2026', '04', -3, 0, 0) "},
        {u"00", u"X", 0.0001,
         u"'00', 'F', '000000', '09122026', 'X', '0000', '09.12.2026', '04', 0.0001, 0, 0) "},
        {u"00", u"X", 0.00005,
         u"'00', 'F', '000000', '09122026', 'X', '0000', '09.12.2026', '04', 5E-5, 0, 0) "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Values(TConversao::TextoEstoqueProduto(c.empresa, c.produto, c.estoque, 0, 0)),
                  c.expected);

    // "." as decimal separator whatever the regional one; dates day first whatever the
    // regional date separator.
    for (char16_t separator : {u',', u'.'}) {
        TFormatSettings fs;
        fs.DecimalSeparator = separator;
        fs.DateSeparator = u'-';
        SetFormatSettings(fs);
        FixClock({{2027, 3, 5}, {}});
        EXPECT_EQ(
            Values(TConversao::TextoEstoqueProduto(u"00", u"X", 2.5, 1.25, 0.5)),
            u"'00', 'F', '000000', '05032027', 'X', '0000', '05.03.2027', '04', 2.5, 1.25, 0.5) ");
    }
}

TEST_F(StockMovementTest, WritesOneRowPerCallInBothDialects) {
    for (int dialect : {1, 3}) {
        TTempDatabase file(dialect);
        TConnection c(file.Path());
        TConversao conversao(&c.db);
        conversao.PGravaEstoqueProduto(c.db, u"00", u"010123", 12.5, 3.2, 3.1);
        conversao.PGravaEstoqueProduto(c.db, u"00", u"010123", 12.5, 3.2, 3.1);
        EXPECT_TRUE(c.tr.InTransaction());  // nothing committed
        TIBQuery q;
        q.SetDatabase(&c.db);
        q.SQL().SetText(
            u"SELECT DOCUMENTO, DT_MOVIMENTO, TIPOMOV, QUANTIDADE, PRECOCUSTO, "
            u"CODEMPRESA, TIPOAGENTE, CODIGOAGENTE, CODGRADE FROM MVGERAL");
        q.Open();
        q.Last();
        EXPECT_EQ(q.RecordCount(), 2u);
        EXPECT_EQ(q.FieldByName(u"DOCUMENTO").AsString(), u"09122026");
        EXPECT_EQ(q.FieldByName(u"DT_MOVIMENTO").AsString(), u"09/12/2026");
        EXPECT_EQ(q.FieldByName(u"TIPOMOV").AsString(), u"04");
        EXPECT_EQ(q.FieldByName(u"QUANTIDADE").AsFloat(), 12.5);
        EXPECT_EQ(q.FieldByName(u"PRECOCUSTO").AsString(), u"3,2");
        EXPECT_EQ(
            q.FieldByName(u"CODEMPRESA").AsString() + q.FieldByName(u"TIPOAGENTE").AsString() +
                q.FieldByName(u"CODIGOAGENTE").AsString() + q.FieldByName(u"CODGRADE").AsString(),
            u"00F0000000000");
    }
}

namespace {
// Every row of MVGERAL with its columns' exact values, for the movements of `produto`.
std::vector<std::vector<TValue>> Movements(TIBDatabase& db, const Text& produto) {
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(u"SELECT * FROM MVGERAL WHERE CODPROD = :P ORDER BY QUANTIDADE");
    q.ParamByName(u"P").SetAsString(produto);
    q.Open();
    std::vector<std::vector<TValue>> rows;
    for (; !q.Eof(); q.Next()) {
        std::vector<TValue> row;
        for (size_t i = 0; i < q.FieldCount(); ++i)
            if (q.Fields(i).FieldName() != u"CODPROD")
                row.push_back(q.Fields(i).AsVariant());
        rows.push_back(row);
    }
    return rows;
}
}  // namespace

// The movement is written through a statement prepared once; the row must be the one the
// statement with the values written into it gives, bit for bit.
TEST_F(StockMovementTest, PreparedAndWrittenOutStatementsGiveTheSameRow) {
    std::vector<double> values = {0,  12.5, 3.2,  0.1 + 0.2, 1.0 / 3,          2.675,
                                  -3, 1e15, 5e-5, 1e-4,      123456.789012345, 99999999999.9999};
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> any(-1e7, 1e7);
    for (int i = 0; i < 300; ++i)
        values.push_back(std::round(any(rng) * std::pow(10, int(rng() % 6))) /
                         std::pow(10, int(rng() % 6)));
    for (int dialect : {1, 3}) {
        TTempDatabase file(dialect);
        TConnection c(file.Path());
        TConversao conversao(&c.db);
        TIBQuery literal;
        literal.SetDatabase(&c.db);
        for (size_t i = 0; i < values.size(); ++i) {
            const double v = values[i], custo = values[(i + 1) % values.size()] / 1000;
            conversao.PGravaEstoqueProduto(c.db, u"00", u"PREP", v, custo, v / 7);
            literal.SQL().SetText(TConversao::TextoEstoqueProduto(u"00", u"LIT", v, custo, v / 7));
            literal.ExecSQL();
        }
        EXPECT_EQ(Movements(c.db, u"PREP"), Movements(c.db, u"LIT")) << "dialect " << dialect;
        EXPECT_EQ(Movements(c.db, u"PREP").size(), values.size());
    }
}

TEST_F(StockMovementTest, NumbersGoIntoTheStatementForColumnsOfOtherTypes) {
    TTempDatabase file(3);
    TConnection c(file.Path());
    ExecStatements(c.db, {u"ALTER TABLE MVGERAL DROP QUANTIDADE",
                          u"ALTER TABLE MVGERAL ADD QUANTIDADE VARCHAR(20)"});
    TConversao conversao(&c.db);
    conversao.PGravaEstoqueProduto(c.db, u"00", u"X", 12.5, 1, 1);
    TIBQuery q;
    q.SetDatabase(&c.db);
    q.SQL().SetText(u"SELECT QUANTIDADE FROM MVGERAL");
    q.Open();
    EXPECT_EQ(q.Fields(0).AsString(), u"12.5");
}
