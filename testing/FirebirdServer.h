#pragma once
// A real Firebird server for the tests: the server program of this machine's Firebird package
// (/usr/sbin/firebird, Debian's firebird3.0-server), started as a child process on the
// loopback address and a free port, with a root folder of its own under the system's temporary
// folder (configuration, security database, lock and temporary files), so that it shares
// nothing with a Firebird installation of the machine. Its SYSDBA has a password of its own
// (by default not the tool's fixed one).
//
// The server opens database files by their path on this machine, so a test creates a file with
// the embedded engine (TTempDatabase), closes every embedded connection to it (the embedded
// engine holds the file for one process at a time), and then reaches it through Address().
//
// Starting never throws: where the server cannot start (package missing, no free port, a
// refusal), Available() is false and Problem() says why, so that a test can skip with that
// message. The destructor stops the server (SIGTERM, then SIGKILL) and removes its folder.

#include <filesystem>
#include <memory>
#include <string>

#include "Text.h"

class TChildProcess;

class TFirebirdServer {
  public:
    // SYSDBA's password on a server started without one.
    static constexpr char16_t kSysdbaPassword[] = u"servidor-teste";

    explicit TFirebirdServer(Text sysdbaPassword = kSysdbaPassword);
    ~TFirebirdServer();
    TFirebirdServer(const TFirebirdServer&) = delete;
    TFirebirdServer& operator=(const TFirebirdServer&) = delete;

    bool Available() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }
    int Port() const { return port_; }
    const Text& SysdbaPassword() const { return password_; }

    // The connection string of the database file `path` on this server: "127.0.0.1/PORT:path".
    Text Address(TextView path) const;

    // Creates a user of the server with `password` (SYSDBA's work; fails with EError).
    void AddUser(const Text& user, const Text& password);

  private:
    void Start();
    // This root's firebird.conf: the port, the loopback address, its own security database.
    void WriteConfiguration();
    // Runs the embedded isql of this server's root on `script` (SYSDBA, no database).
    void RunIsql(const std::string& script);

    Text password_;
    std::filesystem::path folder_;
    std::unique_ptr<TChildProcess> process_;
    int port_ = 0;
    std::string problem_;
};

// One server (SYSDBA's password kSysdbaPassword) for the whole test program, started at the
// first call and stopped at its exit.
TFirebirdServer& SharedFirebirdServer();
