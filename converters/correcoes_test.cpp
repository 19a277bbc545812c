// The stock, fiscal classification and main supplier corrections on fixture databases.
#include <gtest/gtest.h>

#include "Error.h"
#include "IBQuery.h"
#include "MergeTest.h"
#include "ProdutosController.h"

namespace {

class CorrecoesTest : public TMergeTest {
  protected:
    TProdutosController produtos;
};

}  // namespace

TEST_P(CorrecoesTest, StockCorrectionInBothDialects) {
    ExecStatements(origin.db,
                   {
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO, CODLOCAL) "
                       u"VALUES ('000001', 1, 1, 1, 'A')",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO, CODLOCAL) "
                       u"VALUES ('000050', NULL, 1, 1, 'B')",
                       u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, PRECOCUSTO, PRECOMEDIO, CODLOCAL) "
                       u"VALUES ('000123', 15, 2.5, 2.7, 'C')",
                   });
    ExecStatements(
        destination.db,
        {
            u"INSERT INTO MVGERAL (CODPROD, TIPOMOV, QUANTIDADE) VALUES ('010123', '04', 1)",
            u"INSERT INTO MVGERAL (CODPROD, TIPOMOV, QUANTIDADE) VALUES ('010123', '04', 2)",
            u"INSERT INTO MVGERAL (CODPROD, TIPOMOV, QUANTIDADE) VALUES ('010123', '01', 3)",
            u"INSERT INTO MVGERAL (CODPROD, TIPOMOV, QUANTIDADE) VALUES ('010050', '04', 4)",
            u"INSERT INTO COMPPROD (CODPROD, ESTOQUE, CODLOCAL) VALUES ('010123', 9, 'X')",
        });
    produtos.PAtualizaDadosMovimentações(origin.db, destination.db, destination.tr, gauge, label,
                                         u"COMPPROD");
    EXPECT_EQ(
        Rows(u"SELECT CODPROD, TIPOMOV, QUANTIDADE, ESTOQANT, SEQUENCIA, PRECOCUSTO, "
             u"PRECOMEDIO FROM MVGERAL ORDER BY CODPROD, TIPOMOV, SEQUENCIA"),
        (std::vector<Text>{u"010050 04 <null> 0 2 1 1", u"010123 01 3 <null> <null> <null> <null>",
                           u"010123 04 15 0 3 2,5 2,7", u"010123 04 15 0 3 2,5 2,7"}));
    EXPECT_EQ(Rows(u"SELECT CODPROD, ESTOQUE, PRECOCUSTO, CODLOCAL FROM COMPPROD"),
              (std::vector<Text>{u"010123 0 2,5 C"}));  // only updated, never created
    EXPECT_EQ(label.captions.front(), u"Atualizando Estoques - Registro 1 de 3");
    EXPECT_EQ(gauge.states.back(), (TRecordingGauge::TState{0, 0}));
}

TEST_P(CorrecoesTest, StockCorrectionSetsTheKeyWhereverItAppears) {
    // A complement whose last column is CODPROD names the key twice in its update.
    for (TConnection* c : {&origin, &destination})
        ExecStatements(c->db, {u"DROP TABLE COMPPROD",
                               u"CREATE TABLE COMPPROD (ESTOQUE NUMERIC(15,3), PRECOCUSTO "
                               u"NUMERIC(15,4), PRECOMEDIO NUMERIC(15,4), CODPROD VARCHAR(6))"});
    ExecStatements(origin.db, {u"INSERT INTO COMPPROD VALUES (5, 2, 3, '000123')"});
    ExecStatements(destination.db, {u"INSERT INTO COMPPROD VALUES (9, 9, 9, '010123')"});
    produtos.PAtualizaDadosMovimentações(origin.db, destination.db, destination.tr, gauge, label,
                                         u"COMPPROD");
    EXPECT_EQ(Rows(u"SELECT CODPROD, ESTOQUE, PRECOCUSTO FROM COMPPROD"),
              (std::vector<Text>{u"010123 0 2"}));
}

TEST_P(CorrecoesTest, StockCorrectionOfANullCodeFails) {
    ExecStatements(origin.db, {u"INSERT INTO COMPPROD (CODPROD, ESTOQUE) VALUES (NULL, 1)"});
    try {
        produtos.PAtualizaDadosMovimentações(origin.db, destination.db, destination.tr, gauge,
                                             label, u"COMPPROD");
        ADD_FAILURE();
    } catch (const EError& e) {
        EXPECT_EQ(e.Message(), u"Could not convert variant of type (Null) into type (OleStr)");
    }
}

TEST_P(CorrecoesTest, FiscalClassificationCorrection) {
    ExecStatements(
        origin.db,
        {
            u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0001', '84713012')",
            u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0002', '22030000')",
            u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0003', '  ')",
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000001', '0001')",  // found
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000002', '0002')",  // created
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000003', NULL)",
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000004', ' ')",
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000005', '0003')",  // blank NCM
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000006', '0009')",  // no class
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000007', '0002')",  // created once
            u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('000008', '0001')",  // not merged
        });
    ExecStatements(destination.db,
                   {
                       u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('0041', '84713012')",
                   });
    for (int i = 1; i <= 7; ++i)
        ExecStatements(destination.db,
                       {u"INSERT INTO PRODUTO (CODPROD, CODCLASFIS) VALUES ('01000" + IntToText(i) +
                        u"', '9999')"});
    produtos.PAtualizaClasfisc(origin.db, destination.db, destination.tr, gauge, label,
                               u"CLASFISC");
    EXPECT_EQ(Rows(u"SELECT CODPROD, CODCLASFIS FROM PRODUTO ORDER BY CODPROD"),
              (std::vector<Text>{u"010001 0041", u"010002 0042", u"010003 ", u"010004 ", u"010005 ",
                                 u"010006 ", u"010007 0042"}));
    EXPECT_EQ(Rows(u"SELECT CODCLASFIS, CODIGONCM, CODNBM FROM CLASFISC ORDER BY 1"),
              (std::vector<Text>{u"0041 84713012 <null>", u"0042 22030000 22030000"}));
    EXPECT_EQ(label.captions.front(), T("Atualizando Classificação Fiscal - Registro 1 de 8"));
}

TEST_P(CorrecoesTest, MainSupplierCorrection) {
    ExecStatements(
        origin.db,
        {
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000010', 'Ferragens', "
            u"'11.111')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000020', 'Tintas', NULL)",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000030', 'Sem par', '3')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000040', 'Vazio', '')",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000001', '000010')",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000002', '000020')",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000003', '000030')",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000004', 'NAOHA')",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000005', NULL)",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000006', '000040')",
            u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('000007', '000010')",
        });
    ExecStatements(
        destination.db,
        {
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900001', 'Ferragens', "
            u"'11.111')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900002', 'Tintas', NULL)",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900003', 'Vazio', '')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900004', '', '')",
        });
    for (int i = 1; i <= 6; ++i)
        ExecStatements(destination.db,
                       {u"INSERT INTO PRODUTO (CODPROD, PRINCIPALFORNEC) VALUES ('01000" +
                        IntToText(i) + u"', 'ANTIGO')"});
    produtos.PAtualizaDadosFornece(origin.db, destination.db, destination.tr, gauge, label);
    EXPECT_EQ(Rows(u"SELECT CODPROD, PRINCIPALFORNEC FROM PRODUTO ORDER BY CODPROD"),
              (std::vector<Text>{
                  u"010001 900001",  // same name and tax number
                  u"010002 ",        // a NULL tax number is searched as the empty text
                  u"010003 ",        // no destination supplier matches
                  u"010004 900004",  // names no origin supplier: searched with two empty texts
                  u"010005 <null>",  // no main supplier: none in the destination either
                  u"010006 900003",  // values of one product never leak into the next
              }));
    EXPECT_EQ(label.captions.front(), u"Atualizando Fornecedores de Produtos - Registro 1 de 7");
    EXPECT_EQ(label.captions.back(), u"");
}

INSTANTIATE_TEST_SUITE_P(Dialects, CorrecoesTest, ::testing::Values(1, 3), DialectName);
