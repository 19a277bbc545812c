// The terminal runner as a Windows user starts it: the command line in UTF-16 (CreateProcessW)
// and in the ANSI code page (CreateProcessA), paths in their Windows forms, and what it
// writes to a pipe.
//
// Where no Firebird kit is given, the client library beside the programs is the stand-in of
// testing/FbClientStandIn.cpp: no database opens, but it records the file name that reaches
// the attachment, which is what these tests look at. `make test-windows` runs them under Wine
// as a pt-BR user (ANSI code page 1252).
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ChildProcess.h"
#include "TempDatabase.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kNoEngine = "Stand-in client library: no database engine\n";
const std::string kNoConnection =
    "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
    "selecionado é válido! \n";
const std::string kDestination = "C:\\dados\\Matriz.FB";

// The runner beside this test, where the Windows build puts every program.
fs::path Runner() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(std::wstring(self, length)).parent_path() / L"unificador.exe";
}

std::string Utf8(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::vector<std::string> Lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class WindowsCommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef UNIFICADOR_FBCLIENT_STAND_IN
        GTEST_SKIP() << "the stand-in client library is built only where no Firebird kit is given";
#endif
        fs::remove(log_);
    }
    void TearDown() override {
        fs::remove(log_);
    }

    // The names the attachments received, in the order of the attempts.
    std::vector<std::string> Attached() const {
        return Lines(log_);
    }

    const fs::path log_ =
        fs::temp_directory_path() / ("unificador-standin-" + std::to_string(ProcessId()) + ".log");
};

TEST_F(WindowsCommandLine, PathsReachTheAttachmentAsTheOperatorWroteThem) {
    const std::string paths[] = {
        "C:\\dados\\Filial São Paulo.FB",  // blanks and an accent
        "C:/dados/FILIAL.FB",              // forward slashes stay
        "\\\\servidor\\dados\\FILIAL.FB",  // a share
        "servidor:C:\\dados\\Filial Ação.FB",
        "dados\\Relativo.FB",
        "C:\\pasta com espaço\\",  // a backslash before the closing quote
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        fs::remove(log_);
        TChildProcess runner({Utf8(Runner()), "--origem", path, "--destino", kDestination},
                             {{"FBCLIENT_STAND_IN_LOG", Utf8(log_)}});
        EXPECT_EQ(runner.Wait(), 2) << runner.Err();
        EXPECT_EQ(Attached(), (std::vector<std::string>{path, kDestination}));
        // Both failed openings, then the destination check: UTF-8 on a pipe.
        EXPECT_EQ(runner.Err(), kNoEngine + kNoEngine + kNoConnection);
        EXPECT_EQ(runner.Out(), "");
    }
}

TEST_F(WindowsCommandLine, AnAnsiCommandLineReachesTheAttachmentUnchanged) {
    const std::wstring origin = L"C:\\dados\\Filial São Paulo.FB";
    const std::wstring line = L"\"" + Runner().wstring() + L"\" --origem \"" + origin +
                              L"\" --destino \"" +
                              std::wstring(kDestination.begin(), kDestination.end()) + L"\"";
    std::string ansi(line.size() * 2, '\0');
    BOOL lossy = FALSE;
    ansi.resize(size_t(WideCharToMultiByte(CP_ACP, 0, line.data(), int(line.size()), ansi.data(),
                                           int(ansi.size()), nullptr, &lossy)));
    ASSERT_FALSE(lossy) << "the ANSI code page " << GetACP() << " cannot hold the path";
    ASSERT_NE(ansi.find('\xE3'), std::string::npos) << "ã is one byte in code page 1252";

    ASSERT_EQ(SetEnvironmentVariableA("FBCLIENT_STAND_IN_LOG", Utf8(log_).c_str()), TRUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, ansi.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &startup, &started));
    WaitForSingleObject(started.hProcess, 60000);
    DWORD status = 0;
    GetExitCodeProcess(started.hProcess, &status);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    SetEnvironmentVariableA("FBCLIENT_STAND_IN_LOG", nullptr);

    EXPECT_EQ(status, 2u);
    EXPECT_EQ(Attached(),
              (std::vector<std::string>{"C:\\dados\\Filial São Paulo.FB", kDestination}));
}

TEST_F(WindowsCommandLine, HelpIsUtf8OnAPipe) {
    TChildProcess runner({Utf8(Runner()), "--help"});
    EXPECT_EQ(runner.Wait(), 0);
    EXPECT_NE(runner.Out().find("Códigos de saída:"), std::string::npos) << runner.Out();
}

}  // namespace
