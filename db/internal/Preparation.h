#pragma once
// A statement's prepared state: the one holder of it, kept by a query while prepared and by
// its connection's cache (PreparationCache.h) after the query gives it up.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "FbHandles.h"
#include "Text.h"

class TIBTransaction;

// Described type of one column or parameter.
struct TColumn {
    Text name;
    short type = 0;  // SQL_* without the nullable bit
    short scale = 0;
    short subtype = 0;
    short length = 0;
};

// A prepared statement with its descriptor areas and buffers. Moving it keeps every buffer
// at its address (the areas point into them); destroying it drops the statement.
struct TPreparation {
    Text text;                                    // the server text it was prepared from
    size_t hash = 0;                              // of `text`
    const TIBTransaction* transaction = nullptr;  // the one it was prepared in
    TStatementHandle statement;
    int statementType = 0;  // isc_info_sql_stmt_*
    std::vector<TColumn> outColumns;
    std::vector<TColumn> inColumns;
    std::unique_ptr<std::byte[]> outArea, inArea;
    // Output buffers in the columns' own types (VARYING with its 2-byte length prefix), which
    // the output area points at; fetching fills them.
    std::vector<std::string> outBuffers;
    std::vector<short> outIndicators;
    // Filled by binding, for each execution.
    std::vector<std::string> inBuffers;
    std::vector<short> inIndicators;

    XSQLDA* Out() { return reinterpret_cast<XSQLDA*>(outArea.get()); }
    XSQLDA* In() { return reinterpret_cast<XSQLDA*>(inArea.get()); }
    bool IsSelect() const;
    // COMMIT and ROLLBACK: statements that end their transaction.
    bool EndsTransaction() const;
};

// Prepares `text` (the server text, with its `hash`) in `transaction` (whose client handle is
// `handle`) on `attachment`, in `dialect`; `parameters` is how many placeholders the text is
// expected to have. Fails with "SQL statement is too long" beyond 65,535 bytes, with "Array
// columns are not supported: " and the column's name, and with the database's error.
TPreparation PrepareStatement(TAttachmentHandle& attachment, TTransactionHandle& handle,
                              const TIBTransaction* transaction, int dialect, const Text& text,
                              size_t hash, size_t parameters);
