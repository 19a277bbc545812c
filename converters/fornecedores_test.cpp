// The suppliers step and the supplier code update on fixture databases.
#include <gtest/gtest.h>

#include "DatabaseError.h"
#include "FornecedoresController.h"
#include "IBQuery.h"
#include "MergeTest.h"

namespace {

using FornecedoresTest = TMergeTest;

}  // namespace

TEST_P(FornecedoresTest, SuppliersAreRecoded) {
    ExecStatements(
        origin.db,
        {
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000123', 'Ferragens', NULL)",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('12', 'Tintas', '1')",
        });
    TFornecedoresController().PreencheDadosFornecedores(origin.db, destination.db, gauge, label);
    EXPECT_EQ(Rows(u"SELECT CODFORNEC || '/' || NOME || '/' || COALESCE(CGCCPF, '<null>') "
                   u"FROM FORNECE ORDER BY CODFORNEC"),
              (std::vector<Text>{u"001/Tintas/1", u"001123/Ferragens/<null>"}));
    EXPECT_EQ(label.captions.front(), u"Convertendo Fornecedores - Registro 1 de 2");
    EXPECT_EQ(label.captions.back(), u"");
}

TEST_P(FornecedoresTest, CodesThatMeetAreRefusedByTheDestination) {
    ExecStatements(origin.db, {
                                  u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000123', 'A')",
                                  u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999123', 'B')",
                              });
    EXPECT_THROW(TFornecedoresController().PreencheDadosFornecedores(origin.db, destination.db,
                                                                     gauge, label),
                 EIBError);
    EXPECT_EQ(label.captions.back(), u"Convertendo Fornecedores - Registro 2 de 2");
}

TEST_P(FornecedoresTest, UpdatingCodesByNameAndTaxNumber) {
    ExecStatements(
        origin.db,
        {
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000123', 'Ferragens', "
            u"'11.111')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('000456', 'Tintas', NULL)",
        });
    ExecStatements(
        destination.db,
        {
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900001', 'Ferragens', "
            u"'11.111')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900002', 'Ferragens', "
            u"'11111')",
            u"INSERT INTO FORNECE (CODFORNEC, NOME, CGCCPF) VALUES ('900003', 'Tintas', NULL)",
        });
    destination.tr.StartTransaction();
    TFornecedoresController().AtualizaCodFornece(origin.db, destination.db, gauge, label);
    destination.tr.Commit();
    EXPECT_EQ(Rows(u"SELECT CODFORNEC FROM FORNECE ORDER BY CODFORNEC"),
              (std::vector<Text>{u"001123", u"900002", u"900003"}));
    EXPECT_EQ(label.captions.front(), u"Atualizando Fornecedores - Registro 1 de 2");
}

TEST_P(FornecedoresTest, ANullCodeCannotBeReadAsText) {
    // The fixture's FORNECE has a key; a NULL code needs a table without one.
    ExecStatements(origin.db, {u"DROP TABLE FORNECE",
                               u"CREATE TABLE FORNECE (CODFORNEC VARCHAR(6), NOME VARCHAR(60))",
                               u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES (NULL, 'X')"});
    try {
        TFornecedoresController().PreencheDadosFornecedores(origin.db, destination.db, gauge,
                                                            label);
        ADD_FAILURE();
    } catch (const EError& e) {
        EXPECT_EQ(e.Message(), u"Could not convert variant of type (Null) into type (OleStr)");
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, FornecedoresTest, ::testing::Values(1, 3), DialectName);
