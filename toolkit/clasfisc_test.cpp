// The fiscal classification look-up: found, created, numbering and its limit.
#include <gtest/gtest.h>

#include "Error.h"
#include "IBQuery.h"
#include "TempDatabase.h"
#include "classConversao.h"

namespace {

class ClasFiscTest : public ::testing::TestWithParam<int> {
  protected:
    ClasFiscTest() : file(GetParam()), c(file.Path()) {}

    std::vector<Text> Rows() {
        TIBQuery q;
        q.SetDatabase(&c.db);
        q.SQL().SetText(
            u"SELECT CODCLASFIS || '|' || COALESCE(CODIGONCM, '<null>') || '|' || "
            u"COALESCE(CODNBM, '<null>') || '|' || CODNATRECEITA FROM CLASFISC ORDER BY 1");
        q.Open();
        std::vector<Text> rows;
        for (; !q.Eof(); q.Next())
            rows.push_back(q.Fields(0).AsString());
        return rows;
    }

    TTempDatabase file;
    TConnection c;
};

}  // namespace

TEST_P(ClasFiscTest, FoundOrCreatedWithTheNextCode) {
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FRetornaCodClasFis(u" \t"), u"");
    EXPECT_FALSE(c.db.Connected());  // a blank NCM reads nothing
    EXPECT_EQ(conversao.FRetornaCodClasFis(u"84713012"), u"0001");
    EXPECT_EQ(conversao.FRetornaCodClasFis(u"84713012"), u"0001");  // found in the same transaction
    EXPECT_EQ(conversao.FRetornaCodClasFis(u" 8471301299 "), u"0002");
    EXPECT_EQ(conversao.FClassificacaoFiscal(u"22030000", u""), u"0003");
    EXPECT_EQ(conversao.FClassificacaoFiscal(u"22030000", u"x"), u"0003");
    EXPECT_EQ(Rows(), (std::vector<Text>{u"0001|84713012|84713012|999",
                                         u"0002|84713012|84713012|999", u"0003|22030000||999"}));
}

TEST_P(ClasFiscTest, NumberingFollowsTheGreatestCode) {
    ExecStatements(c.db, {u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0041', 'A')",
                          u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('7', 'B')",
                          u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0009', 'D''X')"});
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FRetornaCodClasFis(u"B"), u"7");  // as stored, not padded
    EXPECT_EQ(conversao.FRetornaCodClasFis(u"D'X"), u"0009");
    // The greatest code is compared as text: '7' is the greatest here.
    EXPECT_EQ(conversao.FRetornaCodClasFis(u"NOVO"), u"0008");
}

TEST_P(ClasFiscTest, RefusesAFifthDigit) {
    ExecStatements(c.db, {u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('9999', 'A')"});
    TConversao conversao(&c.db);
    try {
        conversao.FRetornaCodClasFis(u"NOVO");
        ADD_FAILURE();
    } catch (const EError& e) {
        EXPECT_NE(e.Message().find(u"10000"), Text::npos) << ToUtf8(e.Message());
    }
    EXPECT_EQ(CountRows(c.db, u"CLASFISC"), 1);
}

INSTANTIATE_TEST_SUITE_P(Dialects, ClasFiscTest, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });
