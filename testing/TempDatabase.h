#pragma once
// Throw-away Firebird databases for tests, and helpers to set up and inspect them.
//
// A TTempDatabase owns a fresh folder under the system's temporary directory
// (unificador-test-<pid>-<n>) holding one database file of the given dialect, forced writes
// off, with the retail schema (RetailSchema.h) applied unless asked otherwise. The destructor
// removes the folder and never throws; declare the connections to the file after the
// TTempDatabase so that they close first.
//
// The helpers run their statements in the connection's default transaction. A helper that
// only reads leaves the transaction as it found it: if it was not in progress, the helper
// starts it and commits it again; if it was, the helper reads inside it (so it sees that
// transaction's own uncommitted rows) and leaves it running.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Login.h"
#include "Text.h"

// The test databases have the program's own login.
inline constexpr const auto& kTestUser = kFixedUser;
inline constexpr const auto& kTestPassword = kFixedPassword;

// A connection and its default transaction, wired together, with the database name and the
// login set. Nothing is connected until it is used (a query connects it), or Open is called.
struct TConnection {
    explicit TConnection(TextView path);
    ~TConnection();  // closes the connection (committing what is in progress); never throws
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    TIBDatabase db;
    TIBTransaction tr;
};

class TTempDatabase {
  public:
    explicit TTempDatabase(int dialect = 3, bool withSchema = true);
    ~TTempDatabase();
    TTempDatabase(const TTempDatabase&) = delete;
    TTempDatabase& operator=(const TTempDatabase&) = delete;

    Text Path() const;
    const std::filesystem::path& Folder() const { return folder_; }
    int Dialect() const { return dialect_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path file_;
    int dialect_;
};

// This process's id, for the names of temporary folders that tests running in parallel share.
long ProcessId();

// Executes each statement in the connection's default transaction and commits after each
// one (DDL must be committed before later statements can use it). Fails with the database's
// error at the first statement that fails; the statements before it stay committed.
void ExecStatements(TIBDatabase& db, const std::vector<Text>& statements);

int64_t CountRows(TIBDatabase& db, TextView table);

// The server's number of the connection's attachment (CURRENT_CONNECTION).
int64_t AttachmentId(TIBDatabase& db);
// Ends attachment `id` of the database file `path` from a connection of its own, as an
// administrator does through the monitoring tables: the attachment's next call fails with
// "connection shutdown".
void KillAttachment(TextView path, int64_t id);

// Every row of the select `sql`: its fields' texts (AsString) separated by one blank, NULL
// written <null>.
std::vector<Text> QueryRows(TIBDatabase& db, TextView sql);

// A text fingerprint of the whole table: a header with the column names, then one line per
// row with every column's exact stored value (kind and representation; NULL distinct from
// the empty text; doubles bit for bit; blobs byte for byte), the row lines sorted. Equal
// fingerprints mean equal contents regardless of row order; the text shows what differs.
Text TableChecksum(TIBDatabase& db, TextView table);

// TableChecksum of every table of RetailTableNames(), in that order, a table that the database
// lacks written as its name followed by " <ausente>": the whole of a retail database's rows.
std::vector<Text> RetailChecksums(TIBDatabase& db);

// The rows of TRIGGER_LOG in the order they were written, each as "TRIGGER_NAME:CHAVE" (CHAVE
// empty when NULL).
std::vector<Text> TriggerLog(TIBDatabase& db);

// Read RDB$TRIGGERS. TriggerActive takes the name as an unquoted identifier (any letter case)
// and fails with an EError when there is no such trigger.
bool TriggerActive(TIBDatabase& db, TextView name);
// The user triggers that are inactive, by name in ascending order.
std::vector<Text> InactiveTriggers(TIBDatabase& db);
