// The insert built from a read's column list, and the parameter filling.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "CopiaRegistros.h"
#include "Error.h"
#include "Recodificacao.h"
#include "TempDatabase.h"

namespace {
std::vector<Text> Lines(TIBQuery& q) {
    TStringList l;
    l.SetText(q.SQL().GetText());
    std::vector<Text> r;
    for (size_t i = 0; i < l.Count(); ++i)
        r.push_back(l[i]);
    return r;
}
}  // namespace

TEST(CopiaRegistros, InsertLinesFromTheColumnList) {
    TTempDatabase file(3, false);
    TConnection c(file.Path());
    ExecStatements(c.db, {u"CREATE TABLE T (A INTEGER, PRECOCUSTO NUMERIC(15,2), C VARCHAR(3))",
                          u"CREATE TABLE U (SO VARCHAR(3))"});
    TIBQuery read, write;
    read.SetDatabase(&c.db);
    write.SetDatabase(&c.db);
    AbreConsulta(read, u"SELECT * FROM T");
    MontaInsert(read, write, u"T");
    EXPECT_EQ(Lines(write),
              (std::vector<Text>{u" INSERT INTO T (", u"A, ", u"PRECOCUSTO, ", u"C",
                                 u" ) VALUES ( ", u":PA, ", u":PPRECOCUSTO, ", u":PC", u" ) "}));
    EXPECT_EQ(write.ParamByName(u"PPRECOCUSTO").Name(), u"PPRECOCUSTO");

    TIBQuery single;
    single.SetDatabase(&c.db);
    AbreConsulta(read, u"SELECT * FROM U");
    MontaInsert(read, single, u"U");
    EXPECT_EQ(Lines(single),
              (std::vector<Text>{u" INSERT INTO U (", u"SO", u" ) VALUES ( ", u":PSO", u" ) "}));
}

TEST(CopiaRegistros, ColumnNamesMustBePlainIdentifiers) {
    for (const char16_t* ok : {u"CODPROD", u"A1_$", u"x"})
        EXPECT_NO_THROW(ExigeIdentificadorSimples(ok, u"T"));
    for (const char16_t* bad : {u"MINHA COLUNA", u"1A", u"_A", u"A;DROP", u"A\"B", u"", u"AÇÃO"}) {
        try {
            ExigeIdentificadorSimples(bad, u"CLIENTE");
            ADD_FAILURE() << ToUtf8(bad);
        } catch (const EError& e) {
            EXPECT_EQ(
                e.Message().rfind(T("A tabela CLIENTE da origem tem a coluna \"") + bad + u"\"", 0),
                0u);
        }
    }
}

TEST(CopiaRegistros, RecodingRules) {
    struct Case {
        const char16_t *origem, *fornecedor, *produto;
    } cases[] = {
        {u"000123", u"001123", u"010123"},
        {u"999123", u"001123", u"019123"},
        {u"0001234", u"001123", u"010123"},
        {u"ABC", u"001", u"01C"},
        {u"AB", u"001", u"01"},
        {u"ABCDEFGH", u"001DEF", u"01CDEF"},
        {u"", u"001", u"01"},
        {u"\u00C1\u00C9\u00CD\u00D3\u00DA\u00C7\u00C3", u"001\u00D3\u00DA\u00C7",
         u"01\u00CD\u00D3\u00DA\u00C7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecodificaFornecedor(c.origem), c.fornecedor) << ToUtf8(c.origem);
        EXPECT_EQ(RecodificaProduto(c.origem), c.produto) << ToUtf8(c.origem);
        // The same rules on the stored single-byte text.
        const std::string bytes = EncodeCp1252(c.origem);
        EXPECT_EQ(RecodificaFornecedor(bytes), EncodeCp1252(c.fornecedor)) << ToUtf8(c.origem);
        EXPECT_EQ(RecodificaProduto(bytes), EncodeCp1252(c.produto)) << ToUtf8(c.origem);
    }
}
