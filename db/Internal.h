#pragma once
// The database layer's private state, shared by its .cpp files. Only db/ includes this file,
// and only db/ includes the client library's header.

#include <ibase.h>

#include <string>
#include <vector>

#include "DatabaseError.h"
#include "IBDatabase.h"
#include "IBQuery.h"
#include "IBTransaction.h"

// A status vector whose texts become an EIBError at once, before the next call reuses it.
struct TStatus {
    ISC_STATUS_ARRAY v{};
    ISC_STATUS* get() { return v; }
    bool Failed() const { return v[0] == 1 && v[1] != 0; }
};
[[noreturn]] void ThrowStatus(const TStatus& status);
inline void Check(const TStatus& status) {
    if (status.Failed())
        ThrowStatus(status);
}

// Described type of one column or parameter.
struct TColumn {
    Text name;
    short type = 0;  // SQL_* without the nullable bit
    short scale = 0;
    short subtype = 0;
    short length = 0;
};

// A prepared statement with its descriptor areas and buffers, as a query holds it. Moving
// it keeps every buffer at its address (the areas point into them).
struct TPreparation {
    Text text;        // the server text it was prepared from
    size_t hash = 0;  // of `text`
    TIBTransaction* transaction = nullptr;
    isc_stmt_handle statement = 0;
    int statementType = 0;
    std::vector<TColumn> outColumns;
    std::vector<TColumn> inColumns;
    std::unique_ptr<std::byte[]> outArea, inArea;
    std::vector<std::string> outBuffers;
    std::vector<short> outIndicators;
    std::vector<std::string> inBuffers;
    std::vector<short> inIndicators;
};

struct TIBDatabase::Impl {
    TIBDatabase* self = nullptr;
    Text name;
    TStringList params;
    TIBTransaction* defaultTransaction = nullptr;
    isc_db_handle handle = 0;
    int databaseDialect = 0;
    std::vector<TIBTransaction*> transactions;
    std::vector<TIBQuery::Impl*> queries;
    // Preparations given up by queries (released, or their text changed) while their
    // transaction goes on: a query preparing the same text in the same transaction takes one
    // back instead of preparing again. Most recently released last; bounded.
    std::vector<TPreparation> released;

    // Keeps `p` for reuse, dropping the oldest one beyond the bound.
    void Keep(TPreparation&& p) noexcept;
    // A kept preparation of `text` in `transaction`, if there is one.
    bool Take(const Text& text, size_t hash, TIBTransaction* transaction,
              TPreparation& into) noexcept;
    // Drops the kept preparations of `transaction` (every one when it is null).
    void DropKept(TIBTransaction* transaction) noexcept;

    void Connect();
    void Disconnect();
    // Closes without raising: for a lost server and for destructors.
    void ForceDisconnect() noexcept;
    int Dialect() const { return databaseDialect > 0 && databaseDialect < 3 ? databaseDialect : 3; }
};

struct TIBTransaction::Impl {
    TIBDatabase* database = nullptr;
    isc_tr_handle handle = 0;
    std::vector<TIBQuery::Impl*> queries;

    // Closes and unprepares every query that runs in this transaction (`self`), and drops the
    // preparations kept for it.
    void CloseQueries(TIBTransaction* self) noexcept;
    // Ends with the default action (commit), falling back to a rollback; never raises.
    void EndQuietly(TIBTransaction* self) noexcept;
    // The server handle is gone (lost connection): forget it.
    void Forget() noexcept;
};

struct TIBQuery::Impl {
    TIBQuery* self = nullptr;
    TIBDatabase* database = nullptr;
    TIBTransaction* transaction = nullptr;

    std::vector<Text> lines;
    std::vector<std::unique_ptr<TParam>> params;
    Text serverText;  // the text with "?" in place of each parameter
    size_t serverHash = 0;

    // Preparation.
    isc_stmt_handle statement = 0;
    int statementType = 0;
    std::vector<TColumn> outColumns;
    std::vector<TColumn> inColumns;
    std::unique_ptr<std::byte[]> outArea, inArea;
    std::vector<std::string> outBuffers;
    std::vector<short> outIndicators;
    std::vector<std::string> inBuffers;
    std::vector<short> inIndicators;

    // Open state and fetched rows. Each row packs its columns: a table of (count + 1)
    // offsets, then per column a NULL flag byte followed by the column's bytes.
    bool active = false;
    bool cursorOpen = false;
    bool allFetched = false;
    std::vector<std::string> rows;
    size_t current = 0;
    bool eof = true;
    uint64_t generation = 1;

    XSQLDA* Out() { return reinterpret_cast<XSQLDA*>(outArea.get()); }
    XSQLDA* In() { return reinterpret_cast<XSQLDA*>(inArea.get()); }

    void EnsureReady();
    void Prepare();
    void Unprepare() noexcept;
    // Gives the preparation up for reuse by a query of the same text while the transaction
    // goes on; drops it otherwise.
    void Release() noexcept;
    void Bind();
    bool FetchOne();
    void FetchAll();
    void CloseCursor() noexcept;
    void CloseQuietly() noexcept;
    void Detach() noexcept;

    TValue ValueAt(size_t row, size_t column) const;
    bool IsNullAt(size_t row, size_t column) const;
    const TColumn& ColumnOf(const TField& f) const;
    void RequireActive() const;
};

// The database's value of a column, as packed in a fetched row.
TValue DecodeColumn(const TColumn& column, std::string_view bytes);
