// Crash atomicity: the terminal runner killed (SIGKILL; TerminateProcess on Windows) at moments
// spread over a run of all six steps on a generated pair of a few tens of thousands of rows. After
// each kill the destination must hold either none of the run's rows (its triggers possibly switched
// off, which the next opening warns of) or, when the kill came after the final commit, all of them;
// it must pass the engine's validation; and a following normal run must succeed and leave the
// triggers active.
//
// Heavy (a few minutes): run by `make test-crash`, not by `make test`. CRASH_N=... changes the
// number of clients and products (default 15000).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

#include "ChildProcess.h"
#include "DataGenerator.h"
#include "RetailSchema.h"
#include "TempDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using TClock = std::chrono::steady_clock;

const std::string kWarning = "As Triggers do banco de dados de destino estão desativadas: ";
const std::vector<std::string> kStepPrefixes = {
    "Convertendo Clientes",
    "Convertendo Fornecedores",
    "Convertendo Produtos",
    "Atualizando Estoques",
    "Atualizando Classificação Fiscal",
    "Atualizando Fornecedores de Produtos",
};

Text PathText(const fs::path& p) {
    return FromUtf8(p.string());
}

int64_t Clients() {
    const char* n = std::getenv("CRASH_N");
    return n != nullptr ? std::atoll(n) : 15000;
}

std::vector<std::string> RunArgs(const fs::path& origin, const fs::path& destination) {
    return {UNIFICADOR_EXE,       "--origem",       origin.string(),          "--destino",
            destination.string(), "--clientes",     "--fornecedores",         "--produtos",
            "--corrigir-estoque", "--corrigir-ncm", "--corrigir-fornecedores"};
}

std::vector<Text> Snapshot(const fs::path& file) {
    TConnection c(PathText(file));
    return RetailChecksums(c.db);
}

std::vector<Text> Inactive(const fs::path& file) {
    TConnection c(PathText(file));
    return InactiveTriggers(c.db);
}

// The program's file in a folder of PATH, or nothing.
std::string FindOnPath(const std::string& program) {
#ifdef _WIN32
    const char separator = ';';
    const std::string file = program + ".exe";
#else
    const char separator = ':';
    const std::string& file = program;
#endif
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        const size_t end = std::min(dirs.find(separator, start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / file;
        std::error_code ec;
        const fs::perms perms = fs::status(candidate, ec).permissions();
        if (fs::is_regular_file(candidate, ec) &&
            (perms & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
                fs::perms::none)
            return candidate.string();
        start = end + 1;
    }
    return "";
}

// The engine's full validation of the file. A killed writer may leave warnings (orphan pages
// it had allocated, index nodes not yet posted to the level above), never errors.
struct TValidation {
    bool ok = false;
    std::string report;
};
TValidation Validate(const std::string& gfix, const fs::path& file) {
    TChildProcess check({gfix, "-v", "-full", "-user", ToUtf8(kTestUser), "-password",
                         ToUtf8(kTestPassword), file.string()});
    TValidation v;
    v.ok = check.Wait() == 0 && check.Err().empty();
    v.report = check.Out() + check.Err();
    std::istringstream lines(check.Out());
    for (std::string line; std::getline(lines, line);) {
        const bool known =
            line.empty() || line == "Summary of validation errors" ||
            (line.starts_with("\tNumber of ") && line.find(" warnings\t") != std::string::npos);
        if (!known)
            v.ok = false;
    }
    return v;
}

// Reads the program's output until the progress line of the step `prefix` shows `percent`
// or more, the step has ended, or the output has.
bool WaitForProgress(TChildProcess& tool, const std::string& prefix, int percent) {
    const auto deadline = TClock::now() + 600s;
    for (; TClock::now() < deadline && !tool.OutputEnded(); tool.ReadFor(1ms)) {
        const std::string& err = tool.Err();
        const size_t line = err.rfind(prefix);
        if (line == std::string::npos)
            continue;
        if (err.find('\n', line) != std::string::npos)
            return true;  // the step's line has been ended
        const size_t close = err.find("%)", line);
        const size_t open = close == std::string::npos ? close : err.rfind('(', close);
        if (open != std::string::npos && open > line &&
            std::atoi(err.c_str() + open + 1) >= percent)
            return true;
    }
    return false;
}

std::chrono::milliseconds Ms(TClock::duration d) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(d);
}

double Seconds(TClock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct TFolder {
    TFolder() {
        path = fs::temp_directory_path() / ("unificador-crash-" + std::to_string(ProcessId()));
        fs::remove_all(path);
    }
    ~TFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

}  // namespace

TEST(Crash, AKilledRunLeavesAllOrNoneOfItsRows) {
    const std::string gfix = FindOnPath("gfix");
    ASSERT_FALSE(gfix.empty()) << "gfix (firebird3.0-utils) is needed for the validation";

    TFolder folder;
    TGeneratorOptions options;
    options.folder = folder.path;
    options.clients = Clients();
    GenerateBranchAndHeadOffice(options);
    const fs::path origin = folder.path / kBranchFileName;
    const fs::path original = folder.path / kHeadOfficeFileName;
    const fs::path destination = folder.path / "DESTINO.FB";
    const std::vector<Text> before = Snapshot(original);

    // A full run, timing where each step begins, where the last one ends (its progress line
    // at 100%) and when the success message comes.
    fs::copy_file(original, destination);
    std::vector<TClock::duration> stepStart;
    TClock::duration lastStepEnd{}, success{};
    {
        const auto start = TClock::now();
        TChildProcess tool(RunArgs(origin, destination));
        for (const std::string& prefix : kStepPrefixes) {
            ASSERT_TRUE(tool.WaitForOutput(prefix, 600s)) << tool.Err();
            stepStart.push_back(TClock::now() - start);
        }
        ASSERT_TRUE(WaitForProgress(tool, kStepPrefixes.back(), 100)) << tool.Err();
        lastStepEnd = TClock::now() - start;
        ASSERT_TRUE(tool.WaitForOutput("Conversão concluída com sucesso!", 600s)) << tool.Err();
        success = TClock::now() - start;
        ASSERT_EQ(tool.Wait(), 0) << tool.Err();
    }
    const std::vector<Text> complete = Snapshot(destination);
    ASSERT_TRUE(complete != before);
    ASSERT_EQ(Inactive(destination), std::vector<Text>{});
    std::cout << "N = " << options.clients << ": full run " << Seconds(success)
              << " s; steps begin at";
    for (const auto& t : stepStart)
        std::cout << " " << Seconds(t);
    std::cout << " s; the last ends at " << Seconds(lastStepEnd) << " s\n";

    // The moments: four soon after the start (opening both files, then the trigger switch,
    // committed some tens of milliseconds in), each step half done, the last step ended
    // (switching the triggers on and the final commit), and the success message shown.
    struct TKill {
        std::string moment;
        std::chrono::milliseconds fromStart{0};  // for the first moments
        int step = -1;                           // whose progress line to wait for
        int percent = 0;                         // shown on it
        std::chrono::milliseconds then{0};       // a further wait
        bool success = false;                    // wait for the success message
    };
    std::vector<TKill> kills = {{"início", 30ms},
                                {"troca das triggers", 45ms},
                                {"troca das triggers", 60ms},
                                {"troca das triggers", 80ms}};
    for (size_t i = 0; i < kStepPrefixes.size(); ++i)
        kills.push_back({kStepPrefixes[i] + " 50%", 0ms, static_cast<int>(i), 50});
    kills.push_back({"fim da última etapa", 0ms, 5, 100});
    kills.push_back({"commit final", 0ms, 5, 100, Ms(success - lastStepEnd) / 2});
    kills.push_back({"mensagem de sucesso", 0ms, -1, 0, 0ms, true});

    std::map<std::string, int> outcomes;
    for (const TKill& kill : kills) {
        SCOPED_TRACE(kill.moment);
        fs::remove(destination);
        fs::copy_file(original, destination);
        int status;
        TClock::duration at{};
        {
            const auto start = TClock::now();
            TChildProcess tool(RunArgs(origin, destination));
            tool.ReadFor(kill.fromStart);
            if (kill.step >= 0)
                WaitForProgress(tool, kStepPrefixes[kill.step], kill.percent);
            if (kill.success)
                tool.WaitForOutput("Conversão concluída com sucesso!", 600s);
            tool.ReadFor(kill.then);
            tool.Kill();
            at = TClock::now() - start;
            status = tool.Wait();
        }

        const TValidation validation = Validate(gfix, destination);
        EXPECT_TRUE(validation.ok) << validation.report;
        const std::vector<Text> after = Snapshot(destination);
        const std::vector<Text> inactive = Inactive(destination);
        std::string outcome;
        if (after == complete) {
            // The kill came after the final commit, or after the run had ended.
            outcome = status == 0 ? "concluída antes do kill" : "morta após o commit";
            EXPECT_EQ(inactive, std::vector<Text>{});
        } else {
            EXPECT_EQ(status, TChildProcess::kKilledStatus);
            ASSERT_TRUE(after == before) << "the destination holds part of the run";
            // The switch is one transaction: all nine off, or none.
            EXPECT_TRUE(inactive.empty() || inactive.size() == 9) << inactive.size();
            outcome = inactive.empty() ? "nada gravado, triggers ativas"
                                       : "nada gravado, triggers desativadas";

            // The next run warns of switched-off triggers, converts and switches them on.
            TChildProcess again(RunArgs(origin, destination));
            EXPECT_EQ(again.Wait(), 0) << again.Err();
            EXPECT_EQ(again.Err().starts_with(kWarning), !inactive.empty()) << again.Err();
            EXPECT_TRUE(Snapshot(destination) == complete);
            EXPECT_EQ(Inactive(destination), std::vector<Text>{});
        }
        ++outcomes[outcome];
        std::string warnings = validation.report;
        std::replace(warnings.begin(), warnings.end(), '\n', ' ');
        std::cout << "kill at " << Seconds(at) << " s (" << kill.moment << "): " << outcome
                  << (warnings.empty() ? "" : "; gfix: " + warnings) << "\n";
    }
    std::cout << "kills: " << kills.size() << "\n";
    for (const auto& [outcome, count] : outcomes)
        std::cout << "  " << outcome << ": " << count << "\n";
}
