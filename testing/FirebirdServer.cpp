#include "FirebirdServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

#include "ChildProcess.h"
#include "Error.h"
#include "IBDatabase.h"
#include "IBQuery.h"
#include "IBTransaction.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kServerProgram[] = "/usr/sbin/firebird";
constexpr char kIsqlProgram[] = "/usr/bin/isql-fb";
// Where the package keeps the engine's plugins, character sets and messages.
const fs::path kFirebirdLibrary = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

std::string Utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

// A port of the loopback address that nothing listens on now.
int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool Accepts(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

std::string Tail(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    return text.size() > 600 ? text.substr(text.size() - 600) : text;
}

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

}  // namespace

TFirebirdServer::TFirebirdServer(Text sysdbaPassword) : password_(std::move(sysdbaPassword)) {
    try {
        Start();
    } catch (const std::exception& e) {
        problem_ = "o servidor Firebird de teste não iniciou: " + ToUtf8(ErrorMessage(e));
        process_.reset();
    }
}

TFirebirdServer::~TFirebirdServer() {
    if (process_) {
        process_->SendSignal(SIGTERM);
        if (!process_->WaitFor(10s))
            process_->Kill();
        process_.reset();
    }
    std::error_code ec;
    if (!folder_.empty())
        fs::remove_all(folder_, ec);
}

void TFirebirdServer::Start() {
    for (const char* program : {kServerProgram, kIsqlProgram})
        if (access(program, X_OK) != 0)
            throw EError(FromUtf8(std::string(program) +
                                  " não existe (pacotes firebird3.0-server e firebird3.0-utils)"));

    static std::atomic<unsigned> counter{0};
    const fs::path base = fs::temp_directory_path();
    do {
        folder_ = base / ("unificador-servidor-" + std::to_string(getpid()) + "-" +
                          std::to_string(++counter));
    } while (!fs::create_directory(folder_));
    for (const char* sub : {"lock", "tmp"})
        fs::create_directory(folder_ / sub);
    for (const char* shared : {"plugins", "intl", "UDF"})
        fs::create_directory_symlink(kFirebirdLibrary / shared, folder_ / shared);
    for (const char* file : {"firebird.msg", "plugins.conf"})
        fs::copy_file(kFirebirdLibrary / file, folder_ / file);

    // The security database with SYSDBA, made by the embedded engine of this root (so with its
    // configuration, never the machine's security database) before the server holds it.
    WriteConfiguration();
    const std::string password = ToUtf8(password_);
    RunIsql("create database " + Quoted(Utf8(folder_ / "security3.fdb")) + ";\n" +
            "create user SYSDBA password " + Quoted(password) + ";\ncommit;\n");

    // A port can be taken between finding it free and the server binding it: try a few.
    for (int attempt = 0; attempt < 3 && !process_; ++attempt) {
        port_ = FreePort();
        if (port_ == 0)
            throw EError(u"nenhuma porta livre no endereço local");
        WriteConfiguration();
        auto process = std::make_unique<TChildProcess>(
            std::vector<std::string>{kServerProgram},
            std::vector<TChildProcess::TVariable>{{"FIREBIRD", Utf8(folder_)},
                                                  {"FIREBIRD_LOCK", Utf8(folder_ / "lock")},
                                                  {"FIREBIRD_TMP", Utf8(folder_ / "tmp")}});
        const auto deadline = std::chrono::steady_clock::now() + 15s;
        while (std::chrono::steady_clock::now() < deadline && !Accepts(port_) &&
               !process->WaitFor(100ms)) {
        }
        if (Accepts(port_))
            process_ = std::move(process);
    }
    if (!process_)
        throw EError(FromUtf8("o servidor não passou a aceitar conexões; firebird.log: " +
                              Tail(folder_ / "firebird.log")));
}

void TFirebirdServer::WriteConfiguration() {
    std::ofstream conf(folder_ / "firebird.conf");
    conf << "RemoteServicePort = " << port_ << "\n"
         << "RemoteBindAddress = 127.0.0.1\n"
         << "SecurityDatabase = " << Utf8(folder_ / "security3.fdb") << "\n"
         << "ServerMode = Super\n";
    if (!conf.flush())
        throw EError(u"não foi possível escrever firebird.conf");
}

void TFirebirdServer::RunIsql(const std::string& script) {
    const fs::path file = folder_ / "script.sql";
    {
        std::ofstream out(file);
        out << script;
    }
    TChildProcess isql({kIsqlProgram, "-q", "-user", "SYSDBA", "-i", Utf8(file)},
                       {{"FIREBIRD", Utf8(folder_)},
                        {"FIREBIRD_LOCK", Utf8(folder_ / "lock")},
                        {"FIREBIRD_TMP", Utf8(folder_ / "tmp")}});
    isql.CloseInput();
    const int status = isql.Wait();
    fs::remove(file);
    if (status != 0 || isql.Err().find("Statement failed") != std::string::npos)
        throw EError(FromUtf8("isql terminou com " + std::to_string(status) + ": " + isql.Err() +
                              isql.Out()));
}

Text TFirebirdServer::Address(TextView path) const {
    return u"127.0.0.1/" + IntToText(port_) + u":" + Text(path);
}

void TFirebirdServer::AddUser(const Text& user, const Text& password) {
    TIBDatabase db;
    TIBTransaction tr;
    db.SetDatabaseName(Address(FromUtf8(Utf8(folder_ / "security3.fdb"))));
    db.Params().SetValue(u"user_name", u"SYSDBA");
    db.Params().SetValue(u"password", password_);
    db.SetDefaultTransaction(&tr);
    TIBQuery q;
    q.SetDatabase(&db);
    q.SQL().SetText(u"CREATE USER " + user + u" PASSWORD '" + ReplaceAll(password, u"'", u"''") +
                    u"'");
    q.ExecSQL();
    tr.Commit();
    db.Close();
}

TFirebirdServer& SharedFirebirdServer() {
    static TFirebirdServer server;
    return server;
}
