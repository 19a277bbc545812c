// Bad inputs against the real executable: files that are no database, a file that another
// process has open, and databases whose tables, columns or rows the destination cannot take.
// Each case runs all six steps on a generated branch and head-office pair with one fault and
// expects the reason on standard error, a non-zero exit, and the destination as it was: every
// table's rows unchanged and its nine triggers active (or, when the destination itself is the
// bad file, the file untouched).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>

#include "ChildProcess.h"
#include "DataGenerator.h"
#include "RetailSchema.h"
#include "TempDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kNoConnection =
    "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
    "selecionado é válido! ";
const std::string kFailure = "Ocorreu um erro durante a conversão! Motivo: ";
const std::vector<std::string> kAllSteps = {"--clientes",     "--fornecedores",
                                            "--produtos",     "--corrigir-estoque",
                                            "--corrigir-ncm", "--corrigir-fornecedores"};

Text PathText(const fs::path& p) {
    return FromUtf8(p.string());
}

void Exec(const fs::path& file, const std::vector<Text>& statements) {
    TConnection c(PathText(file));
    ExecStatements(c.db, statements);
}

std::vector<Text> Snapshot(const fs::path& file) {
    TConnection c(PathText(file));
    return RetailChecksums(c.db);
}

void ExpectTriggersActive(const fs::path& file) {
    TConnection c(PathText(file));
    EXPECT_EQ(InactiveTriggers(c.db), std::vector<Text>{});
    for (const Text& trigger : RetailTriggerNames())
        EXPECT_TRUE(TriggerActive(c.db, trigger)) << ToUtf8(trigger);
}

// What a path holds when it is not a database: nothing, a folder's entries, or a file's bytes.
std::string FileState(const fs::path& path) {
    if (!fs::exists(path))
        return "<inexistente>";
    if (fs::is_directory(path)) {
        std::string entries = "<pasta>";
        for (const auto& e : fs::directory_iterator(path))
            entries += " " + e.path().filename().string();
        return entries;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The generated pair in a folder of its own, removed afterwards.
struct TFiles {
    explicit TFiles(int dialect) {
        static int counter = 0;
        folder =
            fs::temp_directory_path() / ("unificador-bad-input-" + std::to_string(ProcessId()) +
                                         "-" + std::to_string(++counter));
        fs::remove_all(folder);
        TGeneratorOptions options;
        options.folder = folder;
        options.clients = 200;
        options.dialect = dialect;
        GenerateBranchAndHeadOffice(options);
        origem = folder / kBranchFileName;
        destino = folder / kHeadOfficeFileName;
    }
    ~TFiles() {
        holder.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    fs::path folder, origem, destino;
    std::unique_ptr<TChildProcess> holder;  // a process that has one of the files open
};

// The ways a file can be no usable database. Each puts its bad file in place of `file` (the
// origin's or the destination's path), made from the database that was there.
using TBadFile = std::function<void(TFiles&, fs::path& file)>;

void Missing(TFiles& f, fs::path& file) {
    file = f.folder / "NAOEXISTE.FB";
}
void Empty(TFiles& f, fs::path& file) {
    file = f.folder / "VAZIO.FB";
    std::ofstream(file, std::ios::binary);
}
void RandomBytes(TFiles& f, fs::path& file) {
    file = f.folder / "ALEATORIO.FB";
    std::mt19937 random(8);
    std::string bytes(64 * 1024, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    std::ofstream(file, std::ios::binary) << bytes;
}
void Truncated(TFiles& f, fs::path& file) {
    // A copy broken off half-way, as an interrupted copy of the file leaves it.
    const fs::path copy = f.folder / "TRUNCADO.FB";
    fs::copy_file(file, copy);
    fs::resize_file(copy, fs::file_size(copy) / 2);
    file = copy;
}
void Folder(TFiles& f, fs::path& file) {
    file = f.folder / "PASTA.FB";
    fs::create_directory(file);
}

enum class TBad { Origin, Destination, Contents };

struct TCase {
    const char* name;
    TBad bad;
    // For a bad origin or destination: the bad file, or none when the file is a sound database
    // that another process holds open (`held`).
    TBadFile makeBad;
    bool held = false;
    // For bad contents: the changes to the pair.
    std::function<void(TFiles&)> change;
    // Texts that the reason carries.
    std::vector<std::string> reason;
    bool dialect3Only = false;
};

TCase BadFile(const char* name, TBad bad, TBadFile make, std::vector<std::string> reason) {
    return {name, bad, std::move(make), false, {}, std::move(reason)};
}
TCase Held(const char* name, TBad bad, std::vector<std::string> reason) {
    return {name, bad, {}, true, {}, std::move(reason)};
}
TCase Contents(const char* name, std::function<void(TFiles&)> change,
               std::vector<std::string> reason, bool dialect3Only = false) {
    return {name, TBad::Contents, {}, false, std::move(change), std::move(reason), dialect3Only};
}

constexpr TBad kO = TBad::Origin;
constexpr TBad kD = TBad::Destination;

const std::vector<TCase>& Cases() {
    static const std::vector<TCase> cases = {
        BadFile("MissingOrigin", kO, Missing, {"No such file or directory", "NAOEXISTE.FB"}),
        BadFile("MissingDestination", kD, Missing, {"No such file or directory", "NAOEXISTE.FB"}),
        BadFile("EmptyOrigin", kO, Empty, {"VAZIO.FB", "File size is less than expected"}),
        BadFile("EmptyDestination", kD, Empty, {"VAZIO.FB", "File size is less than expected"}),
        BadFile("RandomBytesOrigin", kO, RandomBytes, {"ALEATORIO.FB is not a valid database"}),
        BadFile("RandomBytesDestination", kD, RandomBytes,
                {"ALEATORIO.FB is not a valid database"}),
        BadFile("TruncatedOrigin", kO, Truncated,
                {"TRUNCADO.FB", "File size is less than expected"}),
        BadFile("TruncatedDestination", kD, Truncated,
                {"TRUNCADO.FB", "File size is less than expected"}),
        BadFile("FolderAsOrigin", kO, Folder, {"PASTA.FB", "Is a directory"}),
        BadFile("FolderAsDestination", kD, Folder, {"PASTA.FB", "Is a directory"}),
        Held("OriginOpenedByAnotherProcess", kO, {"\"lock\" operation", "FILIAL.FB"}),
        Held("DestinationOpenedByAnotherProcess", kD, {"\"lock\" operation", "MATRIZ.FB"}),

        // Each of these fails in a step after earlier steps (or rows) have been written.
        Contents("OriginLacksATable", [](TFiles& f) { Exec(f.origem, {u"DROP TABLE FORNECE"}); },
                 {"Table unknown", "FORNECE"}),
        Contents("DestinationLacksATable",
                 [](TFiles& f) { Exec(f.destino, {u"DROP TABLE PRODUTODETALHE"}); },
                 {"Table unknown", "PRODUTODETALHE"}),
        Contents("DestinationLacksAColumnOfTheOrigin",
                 [](TFiles& f) { Exec(f.destino, {u"ALTER TABLE COMPPROD DROP DT_ULTVENDA"}); },
                 {"Column unknown", "DT_ULTVENDA"}),
        Contents("TextLongerThanItsColumn",
                 [](TFiles& f) {
                     Exec(f.origem,
                          {u"ALTER TABLE PRODUTO ALTER COLUMN DESCRICAO TYPE VARCHAR(100)",
                           u"UPDATE PRODUTO SET DESCRICAO = '" + Text(61, u'X') +
                               u"' WHERE CODPROD = 'XX002S'"});
                 },
                 {"string right truncation"}),
        Contents("TextThatCannotBecomeTheColumnsType",
                 [](TFiles& f) {
                     Exec(f.origem, {u"ALTER TABLE PRODUTODETALHE DROP GARANTIAMESES",
                                     u"ALTER TABLE PRODUTODETALHE ADD GARANTIAMESES VARCHAR(10)",
                                     u"UPDATE PRODUTODETALHE SET GARANTIAMESES = 'um ano' "
                                     u"WHERE CODPROD = 'XX002S'"});
                 },
                 {"um ano"}),
        Contents("NullIntoANotNullColumn",
                 [](TFiles& f) {
                     Exec(f.destino,
                          {u"ALTER TABLE FORNECE DROP CONTATO",
                           u"ALTER TABLE FORNECE ADD CONTATO VARCHAR(40) DEFAULT '-' NOT NULL"});
                     Exec(f.origem,
                          {u"UPDATE FORNECE SET CONTATO = NULL WHERE CODFORNEC = '000003'"});
                 },
                 {"validation error", "CONTATO"}),
        // The branch's product XX002S becomes 01002S.
        Contents("RecodedKeyAlreadyExists",
                 [](TFiles& f) {
                     Exec(f.destino, {u"INSERT INTO PRODUTO (CODPROD, DESCRICAO) "
                                      u"VALUES ('01002S', 'DA MATRIZ')"});
                 },
                 {"violation of PRIMARY or UNIQUE KEY constraint", "PK_PRODUTO"}),
        Contents(
            "OriginColumnNameNotAPlainIdentifier",
            [](TFiles& f) {
                Exec(f.origem, {T("ALTER TABLE PRODUTO ADD \"Descricao Longa\" VARCHAR(10)")});
            },
            {"PRODUTO", "Descricao Longa", "não é um identificador simples"}, true),
    };
    return cases;
}

class BadInput : public ::testing::TestWithParam<std::tuple<size_t, int>> {
  protected:
    const TCase& Case() const { return Cases()[std::get<0>(GetParam())]; }
    int Dialect() const { return std::get<1>(GetParam()); }

    int RunAllSteps(const TFiles& f) {
        std::vector<std::string> args = {UNIFICADOR_EXE, "--origem", f.origem.string(), "--destino",
                                         f.destino.string()};
        args.insert(args.end(), kAllSteps.begin(), kAllSteps.end());
        TChildProcess tool(args);
        const int status = tool.Wait();
        out = tool.Out();
        err = tool.Err();
        return status;
    }

    std::string out, err;
};

TEST_P(BadInput, FailsWithTheReasonAndLeavesTheDestinationAsItWas) {
    const TCase& c = Case();
    if (c.dialect3Only && Dialect() != 3)
        GTEST_SKIP() << "dialect 1 has no quoted names";
    TFiles f(Dialect());
    if (c.change)
        c.change(f);
    const bool destinationIsDatabase = c.bad != TBad::Destination || c.held;
    std::vector<Text> before;
    if (destinationIsDatabase)
        before = Snapshot(f.destino);
    fs::path& badFile = c.bad == TBad::Origin ? f.origem : f.destino;
    if (c.makeBad)
        c.makeBad(f, badFile);
    const std::string bytesBefore = destinationIsDatabase ? "" : FileState(f.destino);
    if (c.held) {
        f.holder = std::make_unique<TChildProcess>(
            std::vector<std::string>{SEGURA_BANCO_EXE, badFile.string()});
        ASSERT_TRUE(f.holder->WaitForOutput("conectado\n", 30s)) << f.holder->Err();
    }

    const int status = RunAllSteps(f);
    if (f.holder) {
        f.holder->CloseInput();
        EXPECT_EQ(f.holder->Wait(), 0) << f.holder->Err();
    }

    EXPECT_EQ(out, "");  // no success message
    EXPECT_EQ(err.find("Erro ao ativar as Triggers"), std::string::npos) << err;
    std::string reason;
    if (c.bad == TBad::Destination) {
        // The open's error, then the connection check stops the run.
        EXPECT_EQ(status, 2);
        EXPECT_TRUE(err.ends_with("\n" + kNoConnection + "\n")) << err;
        reason = err;
    } else {
        EXPECT_EQ(status, 1);
        const size_t at = err.find(kFailure);
        ASSERT_NE(at, std::string::npos) << err;
        EXPECT_TRUE(at == 0 || err[at - 1] == '\n') << err;
        reason = err.substr(at + kFailure.size());
    }
    for (const std::string& text : c.reason)
        EXPECT_NE(reason.find(text), std::string::npos) << "'" << text << "' in: " << reason;

    if (destinationIsDatabase) {
        EXPECT_EQ(Snapshot(f.destino), before);
        ExpectTriggersActive(f.destino);
    } else {
        EXPECT_EQ(FileState(f.destino), bytesBefore);
    }
}

// The pair without a fault merges: each case above fails through its own fault.
class GeneratedPair : public BadInput {};

TEST_P(GeneratedPair, MergesWithoutAFault) {
    TFiles f(Dialect());
    const std::vector<Text> before = Snapshot(f.destino);
    EXPECT_EQ(RunAllSteps(f), 0) << err;
    EXPECT_EQ(out, "Conversão concluída com sucesso!\n");
    EXPECT_NE(Snapshot(f.destino), before);
    ExpectTriggersActive(f.destino);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<size_t, int>>& info) {
    return std::string(Cases()[std::get<0>(info.param)].name) + "_Dialect" +
           std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInput,
                         ::testing::Combine(::testing::Range<size_t>(0, Cases().size()),
                                            ::testing::Values(1, 3)),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Dialects, GeneratedPair,
                         ::testing::Combine(::testing::Values<size_t>(0), ::testing::Values(1, 3)),
                         [](const auto& info) {
                             return "Dialect" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
