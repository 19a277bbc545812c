#pragma once
// TIBDatabase: one connection to a Firebird database.
//
// DatabaseName is passed to the client library unchanged: a bare file path opens the file
// with the embedded engine, "host:path" reaches a server. Params holds name=value lines;
// user_name and password are sent at attach, no character set is requested (NONE), so text
// travels as single bytes in the default code page (Windows-1252).
//
// Connecting fails with "Database name is missing" when the name is empty, and with the
// database's error otherwise (the connection then stays disconnected). After attaching, the
// SQL dialect of the connection is 3, or the database's own when that is lower.
//
// Closing closes every open query of the connection, ends every transaction on it that is in
// progress with a commit, and detaches. The connection must outlive nothing: queries and
// transactions attached to it are detached when it is destroyed.

#include <memory>

#include "StringList.h"
#include "Text.h"

class TIBTransaction;
class TIBQuery;

class TIBDatabase {
  public:
    TIBDatabase();
    ~TIBDatabase();
    TIBDatabase(const TIBDatabase&) = delete;
    TIBDatabase& operator=(const TIBDatabase&) = delete;

    void SetDatabaseName(Text name);
    const Text& DatabaseName() const;
    TStringList& Params();
    const TStringList& Params() const;
    // Kept for the window's definition; the layer never prompts.
    bool LoginPrompt() const { return false; }

    // The transaction that queries on this connection run in. Setting it also makes this
    // connection the transaction's default database when it has none.
    void SetDefaultTransaction(TIBTransaction* transaction);
    TIBTransaction* DefaultTransaction() const;

    bool Connected() const;
    // true attaches (nothing if connected); false closes (nothing if not connected).
    void SetConnected(bool connected);
    void Open() { SetConnected(true); }
    void Close() { SetConnected(false); }

    // False when not connected. Otherwise asks the server for the database's base level;
    // if that fails the connection is closed forcibly, errors ignored, and the result is false.
    // Never raises.
    bool TestConnected();

    // The dialect statements are sent in (3, or the database's lower one); 3 while detached.
    int SQLDialect() const;
    // The database's own dialect, as read at attach; 0 while detached.
    int DatabaseSQLDialect() const;

    struct Impl;  // the private state, db/internal/Impl.h

  private:
    friend struct TImplAccess;
    std::unique_ptr<Impl> impl_;
};
