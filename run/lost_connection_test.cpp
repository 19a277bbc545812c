// A run whose destination attachment is killed by the server in the middle of it, as an
// administrator (or a server restart) would: the run fails with its own message and leaves
// nothing of itself in the destination.
#include <gtest/gtest.h>

#include "ClassesConversaoController.h"
#include "FaultInjection.h"
#include "MergeTest.h"
#include "classConversao.h"

namespace {

const Text kErro = T("Ocorreu um erro durante a conversão! Motivo: ");
const Text kErroAtivar = T("Erro ao ativar as Triggers: ");

struct TKillCase {
    const char* name;
    const char16_t* statement;  // a part of the text of the statement to kill before
    int occurrence;             // which of the run's statements with that text, from 1
    int failedSwitches;         // the switches on that fail after it
};

class LostConnectionTest : public TMergeTest {
  protected:
    LostConnectionTest() {
        ExecStatements(origin.db,
                       {
                           u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('1', 'Ana')",
                           u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('2', 'Bia')",
                           u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('3', 'Caio')",
                           u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000123', 'Ferragens')",
                           u"INSERT INTO PRODUTO (CODPROD, DESCRICAO, PRINCIPALFORNEC) "
                           u"VALUES ('000001', 'Parafuso', '000123')",
                           u"INSERT INTO PRODUTO (CODPROD, DESCRICAO, PRINCIPALFORNEC) "
                           u"VALUES ('000002', 'Prego', '000123')",
                       });
    }
    ~LostConnectionTest() override { SetStatementHook({}); }
};

}  // namespace

TEST_P(LostConnectionTest, KilledInEachPartOfTheRun) {
    const TKillCase cases[] = {
        {"SecondClientInsert", u" INSERT INTO CLIENTE (", 2, 1},
        {"MainSupplierCorrection", u"PRODUTO.PRINCIPALFORNEC = :PPRINCIPALFORNEC", 2, 1},
        // The switch on that commits the run: it fails, and so does the one after the
        // rollback.
        {"SwitchOnAtTheEnd", u"ALTER TRIGGER COMPCLIE_AI0 ACTIVE", 1, 2},
    };
    for (const TKillCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case on a destination of its own, opened as after "Abrir".
        TTempDatabase file(GetParam());
        TConnection dest(file.Path());
        dest.db.SetConnected(true);
        dest.tr.StartTransaction();
        const int64_t id = AttachmentId(dest.db);
        const std::vector<Text> fresh = RetailChecksums(dest.db);

        int seen = 0;
        bool killed = false;
        SetStatementHook([&](const Text& sql) {
            if (killed || sql.find(c.statement) == Text::npos || ++seen < c.occurrence)
                return;
            killed = true;
            KillAttachment(file.Path(), id);
        });
        platform.messages.clear();
        TStringList options;
        for (const char16_t* line :
             {u"CLIENTES=S", u"FORNECEDORES=S", u"PRODUTOS=S", u"ATUALIZAESTOQUE=S",
              u"ATUALIZACLASFISC=S", u"ATUALIZAFORNEC=S"})
            options.Add(line);
        bool result = true;
        EXPECT_NO_THROW(result = TClassesConversaoController().FEfetuaConversao(
                            options, origin.db, dest.db, dest.tr, gauge, label));
        SetStatementHook({});
        ASSERT_TRUE(killed);
        EXPECT_FALSE(result);

        // One warning for each switch that failed, then the run's failure message.
        ASSERT_EQ(platform.messages.size(), size_t(c.failedSwitches) + 1);
        const TRecordedMessage& failure = platform.messages.back();
        EXPECT_EQ(failure.kind, TMessageKind::Error);
        ASSERT_EQ(failure.text.rfind(kErro, 0), 0u) << ToUtf8(failure.text);
        const Text reason = failure.text.substr(kErro.size());
        EXPECT_FALSE(reason.empty());
        for (int i = 0; i < c.failedSwitches; ++i) {
            EXPECT_EQ(platform.messages[size_t(i)].kind, TMessageKind::Warning);
            EXPECT_EQ(platform.messages[size_t(i)].text.rfind(kErroAtivar, 0), 0u)
                << ToUtf8(platform.messages[size_t(i)].text);
        }
        EXPECT_EQ(gauge.Progress(), 0);
        EXPECT_EQ(gauge.MaxValue(), 0);
        EXPECT_FALSE(dest.tr.InTransaction());

        // Nothing of the run reached the destination; its triggers stay off (committed before
        // the first row), which the next opening of the file reports.
        TConnection check(file.Path());
        EXPECT_EQ(RetailChecksums(check.db), fresh);
        EXPECT_EQ(InactiveTriggers(check.db).size(), TConversao::Triggers().size());
    }
}

INSTANTIATE_TEST_SUITE_P(Dialects, LostConnectionTest, ::testing::Values(1, 3), DialectName);
