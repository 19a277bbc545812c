// The toolkit object, its transaction operations, trigger switching and table clearing.
#include <gtest/gtest.h>

#include <algorithm>

#include "DatabaseError.h"
#include "FaultInjection.h"
#include "IBQuery.h"
#include "RecordingPlatform.h"
#include "RetailSchema.h"
#include "TempDatabase.h"
#include "classConversao.h"

namespace {

class ConversaoTest : public ::testing::TestWithParam<int> {
  protected:
    ConversaoTest() : file(GetParam()), c(file.Path()) {}
    ~ConversaoTest() override { SetStatementHook({}); }

    void Exec(TextView sql) {
        TIBQuery q;
        q.SetDatabase(&c.db);
        q.SQL().SetText(sql);
        q.ExecSQL();
    }

    TTempDatabase file;
    TConnection c;
    TRecordingPlatform platform;
};

}  // namespace

TEST_P(ConversaoTest, TransactionOperationsActOnlyWhenThereIsSomethingToDo) {
    TConversao conversao(&c.db);  // creating it connects nothing
    EXPECT_FALSE(c.db.Connected());
    c.db.SetConnected(true);
    TConversao::PConfirmaTransacao(c.tr);
    TConversao::PCancelaTransacao(c.tr);
    EXPECT_FALSE(c.tr.InTransaction());
    TConversao::PIniciaTransacao(c.tr);
    Exec(u"INSERT INTO UNIDADES (UNIDADE) VALUES ('UN')");
    TConversao::PIniciaTransacao(c.tr);  // neither restarts nor fails
    TConversao::PCancelaTransacao(c.tr);
    TConversao::PCancelaTransacao(c.tr);
    EXPECT_EQ(CountRows(c.db, u"UNIDADES"), 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_P(ConversaoTest, TriggersSwitchOffAndOnTogether) {
    TConversao conversao(&c.db);
    c.db.SetConnected(true);
    c.tr.StartTransaction();  // as after opening the destination
    EXPECT_TRUE(conversao.DesativaTriggers(c.db, c.tr));
    EXPECT_FALSE(c.tr.InTransaction());
    std::vector<Text> all = RetailTriggerNames();
    std::sort(all.begin(), all.end());
    EXPECT_EQ(InactiveTriggers(c.db), all);

    // Rows pending in the transaction are committed together with the switch back on.
    conversao.PIniciaTransacao(c.tr);
    Exec(u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00005000')");
    EXPECT_TRUE(conversao.AtivaTriggers(c.db, c.tr));
    EXPECT_FALSE(c.tr.InTransaction());
    EXPECT_TRUE(InactiveTriggers(c.db).empty());
    EXPECT_EQ(CountRows(c.db, u"COMPCLIE"), 1);
    EXPECT_TRUE(TriggerLog(c.db).empty());  // written while the trigger was off
    EXPECT_TRUE(platform.messages.empty());
}

TEST_P(ConversaoTest, AMissingTriggerSwitchesNoneOff) {
    ExecStatements(c.db, {u"DROP TRIGGER COMPCLIE_AU0"});
    TConversao conversao(&c.db);
    Text reason;
    EXPECT_FALSE(conversao.DesativaTriggers(c.db, c.tr, &reason));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].kind, TMessageKind::Warning);
    EXPECT_EQ(platform.messages[0].text, T("Erro ao desativar as Triggers: ") + reason);
    EXPECT_NE(reason.find(u"COMPCLIE_AU0"), Text::npos) << ToUtf8(reason);
    EXPECT_FALSE(c.tr.InTransaction());
    EXPECT_TRUE(InactiveTriggers(c.db).empty());
}

TEST_P(ConversaoTest, AFailureInTheFifthReactivationRollsEverythingBack) {
    TConversao conversao(&c.db);
    c.db.SetConnected(true);
    ASSERT_TRUE(conversao.DesativaTriggers(c.db, c.tr));
    conversao.PIniciaTransacao(c.tr);
    Exec(u"INSERT INTO UNIDADES (UNIDADE) VALUES ('UN')");
    SetStatementHook([](const Text& sql) {
        if (sql == u"ALTER TRIGGER MVGERAL_BD0 ACTIVE")
            throw EDatabaseError(u"falha simulada");
    });
    EXPECT_FALSE(conversao.AtivaTriggers(c.db, c.tr));
    SetStatementHook({});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(
        platform.messages[0],
        (TRecordedMessage{TMessageKind::Warning, T("Erro ao ativar as Triggers: falha simulada")}));
    EXPECT_FALSE(c.tr.InTransaction());
    EXPECT_EQ(CountRows(c.db, u"UNIDADES"), 0);
    EXPECT_EQ(InactiveTriggers(c.db).size(), 9u);  // the four before it were rolled back too
}

// The connection is killed by the server in the middle of a switch, so that its rollback
// fails too: the switch still only reports.
TEST_P(ConversaoTest, ASwitchOnAKilledConnectionFailsWithoutRaising) {
    for (bool active : {false, true}) {
        SCOPED_TRACE(active ? "on" : "off");
        TConnection victim(file.Path());
        victim.db.SetConnected(true);
        const int64_t id = AttachmentId(victim.db);
        bool killed = false;
        SetStatementHook([&](const Text& sql) {
            if (killed || sql.rfind(u"ALTER TRIGGER MVGERAL_AI0", 0) != 0)
                return;
            killed = true;
            KillAttachment(file.Path(), id);
        });
        platform.messages.clear();
        TConversao conversao(&victim.db);
        Text reason;
        bool switched = true;
        EXPECT_NO_THROW(switched = active
                                       ? conversao.AtivaTriggers(victim.db, victim.tr, &reason)
                                       : conversao.DesativaTriggers(victim.db, victim.tr, &reason));
        SetStatementHook({});
        ASSERT_TRUE(killed);
        EXPECT_FALSE(switched);
        EXPECT_FALSE(reason.empty());
        const Text warning =
            active ? T("Erro ao ativar as Triggers: ") : T("Erro ao desativar as Triggers: ");
        EXPECT_EQ(platform.messages,
                  (std::vector<TRecordedMessage>{{TMessageKind::Warning, warning + reason}}));
        EXPECT_FALSE(victim.tr.InTransaction());
        EXPECT_TRUE(InactiveTriggers(c.db).empty());
    }
}

TEST_P(ConversaoTest, ClearingATable) {
    TConversao conversao(&c.db);
    Exec(u"INSERT INTO UNIDADES (UNIDADE) VALUES ('UN')");
    conversao.PLimpaTabela(u"UNIDADES");
    EXPECT_FALSE(c.tr.InTransaction());  // committed
    EXPECT_EQ(CountRows(c.db, u"UNIDADES"), 0);
    EXPECT_FALSE(conversao.ErroGravacaoFlag());

    conversao.PLimpaTabela(u"NAO_EXISTE");
    EXPECT_TRUE(conversao.ErroGravacaoFlag());
    ASSERT_EQ(platform.messages.size(), 1u);
    const Text& text = platform.messages[0].text;
    EXPECT_EQ(platform.messages[0].kind, TMessageKind::Error);
    EXPECT_EQ(text.rfind(T("Erro na Exclusão da tabela NAO_EXISTE.\r"), 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 41), T("\rVerifique se a tabela está em Transação."));
    EXPECT_NE(text.find(u"NAO_EXISTE", 30), Text::npos);
}

INSTANTIATE_TEST_SUITE_P(Dialects, ConversaoTest, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });
