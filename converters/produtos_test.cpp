// The products step on fixture databases.
#include <gtest/gtest.h>

#include "Clock.h"
#include "DatabaseError.h"
#include "IBQuery.h"
#include "MergeTest.h"
#include "ProdutosController.h"

namespace {

class ProdutosTest : public TMergeTest {
  protected:
    ProdutosTest() { FixClock({{2026, 12, 9}, {}}); }
    ~ProdutosTest() override { ResetClock(); }

    void Convert() {
        TProdutosController().PreencheDadosProdutos(origin.db, destination.db, destination.tr,
                                                    gauge, label, u"PRODUTO");
    }
};

}  // namespace

TEST_P(ProdutosTest, ProductsWithComplementDetailAndOpeningMovement) {
    ExecStatements(origin.db,
                   {
                       u"INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('000123', 'Parafuso')",
                       u"INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('000200', 'Prego')",
                       u"INSERT INTO PRODUTO (CODPROD, DESCRICAO) VALUES ('ab0001', 'Porca')",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO) VALUES "
                       u"('000123', 15, 2.5, 2.7)",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO) VALUES "
                       u"('000123', 99, 9, 9)",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO) VALUES "
                       u"('000200', NULL, NULL, 1.5)",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE) VALUES ('AB0001', 7)",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE) VALUES ('999999', 1)",
                       u"INSERT INTO PRODUTODETALHE (CODPROD, GARANTIAMESES) VALUES ('000123', 12)",
                       u"INSERT INTO PRODUTODETALHE (CODPROD, GARANTIAMESES) VALUES ('ab0001', 3)",
                   });
    Convert();
    EXPECT_EQ(Rows(u"SELECT CODPROD, DESCRICAO FROM PRODUTO ORDER BY CODPROD"),
              (std::vector<Text>{u"010001 Porca", u"010123 Parafuso", u"010200 Prego"}));
    // The first complement of each code, exact and case-sensitive; NULLs stay NULL.
    EXPECT_EQ(Rows(u"SELECT CODPROD, ESTOQUE, PRECOCUSTO FROM COMPPROD ORDER BY CODPROD"),
              (std::vector<Text>{u"010123 15 2,5", u"010200 <null> <null>"}));
    EXPECT_EQ(Rows(u"SELECT CODPROD, GARANTIAMESES FROM PRODUTODETALHE ORDER BY CODPROD"),
              (std::vector<Text>{u"010001 3", u"010123 12"}));
    // One movement per product with a complement; NULL figures as 0.
    EXPECT_EQ(Rows(u"SELECT CODPROD, CODEMPRESA, TIPOMOV, QUANTIDADE, PRECOCUSTO, PRECOMEDIO "
                   u"FROM MVGERAL ORDER BY CODPROD"),
              (std::vector<Text>{u"010123 00 04 15 2,5 2,7", u"010200 00 04 0 0 1,5"}));
    // In code order; within a product: movement, complement, detail, product (the triggers
    // are on here, outside a run).
    EXPECT_EQ(
        TriggerLog(destination.db),
        (std::vector<Text>{u"MVGERAL_BI0:010123", u"MVGERAL_AI0:010123", u"PRODUTO_BI0:010123",
                           u"MVGERAL_BI0:010200", u"MVGERAL_AI0:010200", u"PRODUTO_BI0:010200",
                           u"PRODUTO_BI0:010001"}));
    EXPECT_EQ(label.captions.front(), u"Convertendo Produtos - Registro 1 de 3");
    EXPECT_EQ(label.captions.back(), u"");
    EXPECT_EQ(gauge.states.back(), (TRecordingGauge::TState{0, 0}));
}

TEST_P(ProdutosTest, CodesThatMeetFailTheStep) {
    ExecStatements(origin.db, {u"INSERT INTO PRODUTO (CODPROD) VALUES ('AB0123')",
                               u"INSERT INTO PRODUTO (CODPROD) VALUES ('XY0123')"});
    EXPECT_THROW(Convert(), EIBError);
    EXPECT_EQ(label.Caption(), u"Convertendo Produtos - Registro 2 de 2");
}

TEST_P(ProdutosTest, AnEmptyOriginWritesNothing) {
    ExecStatements(origin.db, {u"INSERT INTO COMPPROD (CODPROD, ESTOQUE) VALUES ('000001', 1)"});
    Convert();
    EXPECT_EQ(CountRows(destination.db, u"MVGERAL"), 0);
    EXPECT_EQ(CountRows(destination.db, u"COMPPROD"), 0);
    EXPECT_EQ(label.captions, std::vector<Text>{u""});
}

INSTANTIATE_TEST_SUITE_P(Dialects, ProdutosTest, ::testing::Values(1, 3), DialectName);
