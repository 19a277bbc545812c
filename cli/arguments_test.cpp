// The command line parser and the terminal's progress line and message lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>

#include "Arguments.h"
#include "TerminalPlatform.h"
#include "TerminalProgress.h"

namespace {

using Flags = std::array<bool, 6>;

// The ticked steps in the window's box order.
Flags FlagsOf(const TOpcoesConversao& o) {
    Flags flags{};
    for (size_t i = 0; i < flags.size(); ++i)
        flags[i] = o[i];
    return flags;
}

struct TValidCase {
    std::vector<std::string> args;
    std::optional<Text> origem, destino;
    Flags flags;
};

TEST(ParseArguments, ReadsPathsAndStepFlags) {
    const TValidCase cases[] = {
        {{}, std::nullopt, std::nullopt, {}},
        {{"--origem", "F.FB", "--destino", "M.FB", "--clientes"},
         u"F.FB",
         u"M.FB",
         {true, false, false, false, false, false}},
        {{"--fornecedores", "--destino=/dados/Matriz São Paulo.FB", "--origem=srv:/f.fb"},
         u"srv:/f.fb",
         T("/dados/Matriz São Paulo.FB"),
         {false, true, false, false, false, false}},
        // Repeated flags are fine; a path keeps its last value.
        {{"--origem", "a", "--clientes", "--origem", "b", "--clientes", "--fornecedores"},
         u"b",
         std::nullopt,
         {true, true, false, false, false, false}},
        // An explicitly empty path is a chosen path, unlike an absent flag.
        {{"--destino="}, std::nullopt, u"", {}},
        {{"--corrigir-fornecedores", "--produtos", "--corrigir-ncm", "--corrigir-estoque"},
         std::nullopt,
         std::nullopt,
         {false, false, true, true, true, true}},
    };
    for (const TValidCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const TArguments a = ParseArguments(c.args);
        EXPECT_EQ(a.origem, c.origem);
        EXPECT_EQ(a.destino, c.destino);
        EXPECT_EQ(FlagsOf(a.opcoes), c.flags);
        EXPECT_FALSE(a.ajuda);
    }
}

TEST(ParseArguments, HelpWinsOverEverythingElse) {
    EXPECT_TRUE(ParseArguments({"--help"}).ajuda);
    EXPECT_TRUE(ParseArguments({"--desconhecida", "--produtos", "--help"}).ajuda);
}

TEST(ParseArguments, RefusesWhatItDoesNotKnow) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--clientes", "--bogus"}, "Opção desconhecida: --bogus"},
        {{"-h"}, "Opção desconhecida: -h"},
        {{"matriz.fb"}, "Argumento inesperado: matriz.fb"},
        {{"--origem"}, "A opção --origem precisa de um caminho."},
        {{"--destino", "--clientes"}, "A opção --destino precisa de um caminho."},
        {{"--clientes=S"}, "A opção --clientes não aceita valor."},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        try {
            ParseArguments(args);
            ADD_FAILURE() << "accepted";
        } catch (const EUsoInvalido& e) {
            EXPECT_EQ(ToUtf8(e.Message()), message);
        }
    }
}

// A clock the test moves by hand.
class TerminalProgressTest : public ::testing::Test {
  protected:
    void Advance(int ms) { now += std::chrono::milliseconds(ms); }

    std::chrono::steady_clock::time_point now{};
    std::ostringstream err;
    TTerminalProgress progress{err, [this] { return now; }};
};

TEST_F(TerminalProgressTest, RedrawsAtMostTenTimesASecondAndEndsWithTheLatestState) {
    TGauge& gauge = progress.Gauge();
    gauge.SetMaxValue(1000);
    EXPECT_EQ(err.str(), "") << "a gauge alone opens no line";
    for (int row = 1; row <= 1000; ++row) {  // one row a millisecond
        Advance(1);
        progress.Label().SetCaption(u"Registro " + IntToText(row) + u" de 1000");
        gauge.AddProgress(1);
    }
    progress.EndLine();

    const std::string text = err.str();
    const auto redraws = std::count(text.begin(), text.end(), '\r');
    EXPECT_GE(redraws, 2);
    EXPECT_LE(redraws, 12);
    // A redraw shows the state at its moment: row 101 written, 100 rows done.
    EXPECT_NE(text.find("\rRegistro 101 de 1000 (10%)"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\rRegistro 1000 de 1000 (100%)\n")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

TEST_F(TerminalProgressTest, StepEndKeepsItsLastLineAndGaugeResetsDrawNothing) {
    progress.Gauge().SetMaxValue(2);
    progress.Label().SetCaption(u"Passo 1 de 2");
    progress.Gauge().AddProgress(1);
    Advance(150);
    progress.Label().SetCaption(u"Passo 2 de 2");
    Advance(1);  // inside the interval: not drawn until the step ends
    progress.Gauge().AddProgress(1);
    progress.Label().SetCaption(u"");
    progress.Gauge().SetProgress(0);
    progress.Gauge().SetMaxValue(0);
    progress.EndLine();
    EXPECT_EQ(err.str(), "\rPasso 1 de 2 (0%)\rPasso 2 de 2 (50%)\rPasso 2 de 2 (100%)\n");
}

TEST_F(TerminalProgressTest, AShorterTextBlanksWhatIsLeftOfTheLongerOne) {
    progress.Label().SetCaption(u"Registro 10 de 10");
    Advance(100);
    progress.Label().SetCaption(u"Registro 1 de 2");
    EXPECT_EQ(err.str(), "\rRegistro 10 de 10 (0%)\rRegistro 1 de 2 (0%)  ");
}

TEST_F(TerminalProgressTest, MessagesGetLinesOfTheirOwnOnTheirStreams) {
    std::ostringstream out;
    {
        TTerminalPlatform platform(out, err, progress);
        progress.Gauge().SetMaxValue(3);
        progress.Label().SetCaption(u"Registro 1 de 3");
        ShowError(T("Ocorreu um erro durante a conversão! Motivo: x\r\ny"));
        progress.Gauge().SetProgress(0);  // the run's reset after a failure
        ShowWarning(u"aviso");
        Platform().ShowUnhandledError(u"erro");
        ProcessMessages();
        ShowInformation(T("Conversão concluída com sucesso!"));
        progress.EndLine();
    }
    EXPECT_EQ(out.str(), "Conversão concluída com sucesso!\n");
    EXPECT_EQ(err.str(),
              "\rRegistro 1 de 3 (0%)\nOcorreu um erro durante a conversão! Motivo: x\r\ny\n"
              "aviso\nerro\n");
    EXPECT_EQ(dynamic_cast<TTerminalPlatform*>(&Platform()), nullptr) << "still installed";
}

}  // namespace
