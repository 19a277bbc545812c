// The terminal runner on a destination whose triggers a cut-short conversion left switched
// off: it warns when it opens the destination, and the next successful run switches them on.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "RetailSchema.h"
#include "TempDatabase.h"

namespace {

const std::string kWarning =
    "As Triggers do banco de dados de destino estão desativadas: MVGERAL_AI0, COMPCLIE_AU0. A "
    "próxima conversão concluída com sucesso irá ativá-las novamente.\n";

class TriggersWarning : public ::testing::TestWithParam<int> {
  protected:
    int Run(const std::vector<std::string>& steps) {
        std::vector<std::string> args = {UNIFICADOR_EXE, "--origem", ToUtf8(origem.Path()),
                                         "--destino", ToUtf8(destino.Path())};
        args.insert(args.end(), steps.begin(), steps.end());
        TChildProcess tool(args);
        const int status = tool.Wait();
        out = tool.Out();
        err = tool.Err();
        return status;
    }

    TTempDatabase origem{GetParam()};
    TTempDatabase destino{GetParam()};
    std::string out, err;
};

TEST_P(TriggersWarning, OpeningWarnsAndTheNextSuccessfulRunSwitchesThemOn) {
    {
        TConnection o(origem.Path());
        ExecStatements(o.db, {u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('1', 'ANA')",
                              u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('1', 'PAI')"});
        TConnection d(destino.Path());
        ExecStatements(
            d.db, {u"ALTER TRIGGER COMPCLIE_AU0 INACTIVE", u"ALTER TRIGGER MVGERAL_AI0 INACTIVE"});
    }

    EXPECT_EQ(Run({"--clientes"}), 0) << err;
    EXPECT_EQ(out, "Conversão concluída com sucesso!\n");
    EXPECT_TRUE(err.starts_with(kWarning)) << err;  // before any progress
    EXPECT_EQ(err.find(kWarning, 1), std::string::npos) << err;
    {
        TConnection d(destino.Path());
        EXPECT_EQ(InactiveTriggers(d.db), std::vector<Text>{});
        for (const Text& trigger : RetailTriggerNames())
            EXPECT_TRUE(TriggerActive(d.db, trigger)) << ToUtf8(trigger);
        EXPECT_EQ(CountRows(d.db, u"CLIENTE"), 1);
    }

    // Opened again, the destination gives no warning.
    EXPECT_EQ(Run({}), 0) << err;
    EXPECT_EQ(err, "");
}

INSTANTIATE_TEST_SUITE_P(Dialects, TriggersWarning, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });

}  // namespace
