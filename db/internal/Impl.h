#pragma once
// The private state of TIBDatabase, TIBTransaction and TIBQuery, shared by db/'s own files.

#include <optional>
#include <string>
#include <vector>

#include "DatabaseError.h"
#include "FbHandles.h"
#include "IBDatabase.h"
#include "IBQuery.h"
#include "IBTransaction.h"
#include "Preparation.h"
#include "PreparationCache.h"

// The one way into an object's state: the objects name TImplAccess as their friend.
struct TImplAccess {
    static TIBDatabase::Impl& Of(TIBDatabase& database) { return *database.impl_; }
    static TIBTransaction::Impl& Of(TIBTransaction& transaction) { return *transaction.impl_; }
};
inline TIBDatabase::Impl& ImplOf(TIBDatabase& database) {
    return TImplAccess::Of(database);
}
inline TIBTransaction::Impl& ImplOf(TIBTransaction& transaction) {
    return TImplAccess::Of(transaction);
}

struct TIBDatabase::Impl {
    Text name;
    TStringList params;
    TIBTransaction* defaultTransaction = nullptr;
    TAttachmentHandle attachment;
    int databaseDialect = 0;
    std::vector<TIBTransaction*> transactions;
    std::vector<TIBQuery::Impl*> queries;
    TPreparationCache kept;

    void Connect();
    void Disconnect();
    // Closes without raising: for a lost server and for destructors.
    void ForceDisconnect() noexcept;
    int Dialect() const { return databaseDialect > 0 && databaseDialect < 3 ? databaseDialect : 3; }
};

struct TIBTransaction::Impl {
    TIBDatabase* database = nullptr;
    TTransactionHandle handle;
    std::vector<TIBQuery::Impl*> queries;

    // Closes and unprepares every query that runs in this transaction (`self`), and drops the
    // preparations kept for it.
    void CloseQueries(const TIBTransaction* self) noexcept;
};

struct TIBQuery::Impl {
    TIBDatabase* database = nullptr;
    TIBTransaction* transaction = nullptr;

    std::vector<Text> lines;
    std::vector<std::unique_ptr<TParam>> params;
    Text serverText;  // the text with "?" in place of each parameter
    size_t serverHash = 0;

    std::optional<TPreparation> prepared;

    // Open state and fetched rows. Each row packs its columns: a table of (count + 1)
    // offsets, then per column a NULL flag byte followed by the column's bytes.
    bool active = false;
    bool cursorOpen = false;
    bool allFetched = false;
    std::vector<std::string> rows;
    size_t current = 0;
    bool eof = true;
    uint64_t generation = 1;

    void EnsureReady();
    // Prepares the text in the transaction, or takes a kept preparation of it back.
    void Prepare();
    void Unprepare() noexcept { prepared.reset(); }
    // Gives the preparation up for reuse by a query of the same text while the transaction
    // goes on; drops it otherwise.
    void Release() noexcept;
    void Bind();
    bool FetchOne();
    void FetchAll();
    void CloseCursor() noexcept;
    void CloseQuietly() noexcept;
    void Detach() noexcept;

    // The columns of the prepared statement (none while unprepared).
    const std::vector<TColumn>& OutColumns() const;
    TValue ValueAt(size_t row, size_t column) const;
    bool IsNullAt(size_t row, size_t column) const;
    void RequireActive() const;
};

// Closes every one of `queries`, then drops their preparations.
void CloseAndUnprepare(const std::vector<TIBQuery::Impl*>& queries) noexcept;
