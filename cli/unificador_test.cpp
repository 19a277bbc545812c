// The terminal runner end to end: the real executable on fixture databases, its standard
// output, standard error and exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <tuple>

#include "ChildProcess.h"
#include "IBQuery.h"
#include "TempDatabase.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmptyPath = "O caminho do banco de dados está vazio!";
const std::string kNoConnection =
    "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
    "selecionado é válido! ";
const std::string kSuccess = "Conversão concluída com sucesso!";
const std::string kFailure = "Ocorreu um erro durante a conversão! Motivo: ";

struct TResult {
    int status = -1;
    std::string out, err;
};

// Runs the executable with `args`, its standard input at its end.
TResult RunUnificador(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {UNIFICADOR_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    TChildProcess tool(argv);
    tool.CloseInput();
    TResult r;
    r.status = tool.Wait();
    r.out = tool.Out();
    r.err = tool.Err();
    return r;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool HasLineStartingWith(const std::string& text, const std::string& prefix) {
    for (const std::string& line : Lines(text))
        if (line.starts_with(prefix))
            return true;
    return false;
}

TEST(Unificador, HelpExplainsEveryFlagAndTheExitStatuses) {
    const TResult r = RunUnificador({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    for (const char* flag : {"--origem", "--destino", "--clientes", "--fornecedores", "--produtos",
                             "--corrigir-estoque", "--corrigir-ncm", "--corrigir-fornecedores",
                             "--help", "Códigos de saída", "saída padrão", "saída de erro"})
        EXPECT_NE(r.out.find(flag), std::string::npos) << flag;
    for (const char* status : {"\n  0  ", "\n  1  ", "\n  2  "})
        EXPECT_NE(r.out.find(status), std::string::npos) << status;
}

TEST(Unificador, UsageErrorsPrintTheUsageAndExitWith2) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--destino", "M.FB", "--bogus"}, "Opção desconhecida: --bogus"},
        {{"--destino"}, "A opção --destino precisa de um caminho."},
        {{"--clientes", "bare"}, "Argumento inesperado: bare"},
        {{"--produtos=S"}, "A opção --produtos não aceita valor."},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const TResult r = RunUnificador(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_TRUE(HasLineStartingWith(r.err, "Uso: unificador --origem")) << r.err;
    }
}

TEST(Unificador, WithoutDestinationStopsAtTheEmptyPathCheck) {
    const TResult r = RunUnificador({"--clientes"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, kEmptyPath + "\n");
}

using TClientRow = std::tuple<Text, Text, std::optional<Text>>;  // code, name, father's name

std::vector<TClientRow> DestinationClients(const Text& path) {
    TConnection c(path);
    TIBQuery q;
    q.SetDatabase(&c.db);
    q.SQL().SetText(
        u"SELECT C.CODCLIENTE, C.NOME, CC.NOMEPAI FROM CLIENTE C "
        u"LEFT JOIN COMPCLIE CC ON CC.CODCLIENTE = C.CODCLIENTE ORDER BY C.CODCLIENTE");
    q.Open();
    std::vector<TClientRow> rows;
    for (; !q.Eof(); q.Next()) {
        std::optional<Text> pai;
        if (!q.Fields(2).IsNull())
            pai = q.Fields(2).AsString();
        rows.emplace_back(q.Fields(0).AsString(), q.Fields(1).AsString(), pai);
    }
    q.Close();
    return rows;
}

class UnificadorRun : public ::testing::TestWithParam<int> {
  protected:
    // A few clients in the origin, two of them with a complement.
    void FillOrigin(const std::vector<Text>& before = {}) {
        TConnection c(origem.Path());
        ExecStatements(c.db, before);
        ExecStatements(
            c.db,
            {
                u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000007', 'ANA')",
                u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000003', 'BRUNO')",
                T("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000010', 'CÉLIA')"),
                u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('00000010', 'PAI DE CELIA')",
                u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('00000007', 'PAI DE ANA')",
            });
    }

    std::vector<std::string> Args(std::vector<std::string> steps) const {
        std::vector<std::string> args = {"--origem", ToUtf8(origem.Path()),
                                         "--destino=" + ToUtf8(destino.Path())};
        args.insert(args.end(), steps.begin(), steps.end());
        return args;
    }

    TTempDatabase origem{GetParam()};
    TTempDatabase destino{GetParam()};
};

TEST_P(UnificadorRun, ClientsRunCopiesTheClientsUnderNewCodes) {
    FillOrigin();
    const TResult r = RunUnificador(Args({"--clientes"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kSuccess + "\n");
    // Standard error holds the progress line only, ended, showing the step's last state.
    const std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 1u) << r.err;
    EXPECT_TRUE(r.err.ends_with("\rConvertendo Clientes - Registro 3 de 3 (100%)\n")) << r.err;

    const std::vector<TClientRow> expected = {
        {u"00005000", u"ANA", u"PAI DE ANA"},
        {u"00005001", u"BRUNO", std::nullopt},
        {u"00005002", T("CÉLIA"), u"PAI DE CELIA"},
    };
    EXPECT_EQ(DestinationClients(destino.Path()), expected);
}

TEST_P(UnificadorRun, FailingRunExitsWith1AndLeavesTheDestinationUnchanged) {
    // The destination lacks a column that the origin's CLIENTE has.
    FillOrigin({u"ALTER TABLE CLIENTE ADD EXTRA VARCHAR(10)"});
    Text before;
    {
        TConnection c(destino.Path());
        ExecStatements(c.db, {u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'M')"});
        before = TableChecksum(c.db, u"CLIENTE") + TableChecksum(c.db, u"COMPCLIE");
    }

    const TResult r = RunUnificador(Args({"--fornecedores", "--clientes"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(HasLineStartingWith(r.err, kFailure)) << r.err;
    EXPECT_NE(r.err.find("EXTRA"), std::string::npos) << "the database's reason: " << r.err;

    TConnection c(destino.Path());
    EXPECT_EQ(TableChecksum(c.db, u"CLIENTE") + TableChecksum(c.db, u"COMPCLIE"), before);
}

TEST_P(UnificadorRun, DestinationThatIsNoDatabaseFailsTheConnectionCheck) {
    const fs::path notADatabase = destino.Folder() / "NAOBANCO.FB";
    std::ofstream(notADatabase) << "isto não é um banco de dados\n";
    const TResult r = RunUnificador(
        {"--origem", ToUtf8(origem.Path()), "--destino", notADatabase.string(), "--clientes"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    // The open's error first, as the window's default error display shows it, then the check.
    ASSERT_TRUE(r.err.ends_with("\n" + kNoConnection + "\n")) << r.err;
    EXPECT_FALSE(r.err.starts_with(kNoConnection)) << r.err;
    EXPECT_FALSE(r.err.starts_with("\n")) << r.err;
}

TEST_P(UnificadorRun, WithoutOriginTheRunFailsAtItsFirstReadOfTheOrigin) {
    const TResult r = RunUnificador({"--destino", ToUtf8(destino.Path()), "--clientes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, kFailure + "Database name is missing\n");
}

INSTANTIATE_TEST_SUITE_P(Dialects, UnificadorRun, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });

}  // namespace
