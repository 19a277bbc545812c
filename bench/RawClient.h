#pragma once
// A thin layer over the Firebird client library's C API, for the benchmark's baseline.
//
// The benchmark compares the tool with the floor of the client library itself, so the
// baseline talks to the library directly (descriptor areas, native bytes) instead of through
// db/'s objects; it holds its handles in db/'s owners (FbHandles.h), and besides db/ it is the
// one place that includes <ibase.h>.
//
// Everything here is bytes: texts are the stored bytes of the column (the connections carry no
// character set), numbers and dates the library's native representations. The database's
// errors raise EIBError (FbStatus.h); the baseline's own failures raise TFbError.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "FbHandles.h"

class TFbError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TFbAttachment {
  public:
    // Attaches the database file `path` (the embedded engine for a plain path) with the given
    // login and no character set.
    TFbAttachment(const std::string& path, const std::string& user, const std::string& password);

    TAttachmentHandle& Handle() { return handle_; }
    // The database's SQL dialect, used for every statement.
    unsigned short Dialect() const { return dialect_; }

  private:
    TAttachmentHandle handle_;
    unsigned short dialect_ = 3;
};

class TFbTransaction {
  public:
    // Starts a concurrency transaction that waits on conflicts; read-only when asked.
    TFbTransaction(TFbAttachment& attachment, bool readOnly);
    ~TFbTransaction() { handle_.RollbackQuietly(); }  // rolls back what is still in progress
    TFbTransaction(const TFbTransaction&) = delete;
    TFbTransaction& operator=(const TFbTransaction&) = delete;

    void Start();
    void Commit();
    // Prepares and runs `sql` once, in this transaction.
    void ExecuteImmediate(const std::string& sql);

    TTransactionHandle& Handle() { return handle_; }
    TFbAttachment& Attachment() { return attachment_; }

  private:
    TFbAttachment& attachment_;
    bool readOnly_;
    TTransactionHandle handle_;
};

// One output column of a prepared statement and where its value lies in a row image: the
// native bytes at dataOffset (for VARCHAR a 2-byte length and the bytes) and the NULL
// indicator (a short, -1 for NULL) at indOffset.
struct TFbColumn {
    std::string name;
    short type = 0;  // SQL_TEXT, SQL_VARYING, SQL_INT64 ... without the nullable bit
    short length = 0;
    short scale = 0;
    short subtype = 0;
    size_t dataOffset = 0;
    size_t indOffset = 0;
};

// The layout of a row image: every output column at its own 8-byte aligned place in one
// block of `words` 64-bit words, so a row can be kept by copying the block.
struct TFbRowLayout {
    std::vector<TFbColumn> columns;
    size_t words = 0;

    // The column called `name` (exact comparison); -1 when there is none.
    int IndexOf(std::string_view name) const;
    const TFbColumn& At(std::string_view name) const;  // fails when there is none
};

bool IsNull(const TFbColumn& column, const char* row);
// The bytes of a text column (CHAR or VARCHAR) in `row`; empty for NULL. Fails for other types.
std::string_view TextOf(const TFbColumn& column, const char* row);

// A statement prepared once on an attachment, run under one transaction.
class TFbStatement {
  public:
    TFbStatement(TFbTransaction& transaction, const std::string& sql);
    TFbStatement(const TFbStatement&) = delete;
    TFbStatement& operator=(const TFbStatement&) = delete;

    // Output columns (none for inserts and updates) and the row image that Fetch fills.
    const TFbRowLayout& Layout() const { return layout_; }
    const char* Row() const { return reinterpret_cast<const char*>(row_.data()); }

    // Input parameters, in the order of their "?" in the text. Each setter keeps the value in
    // the statement's own slot for the parameter until the next setter call on it.
    size_t ParamCount() const { return inVars_.size(); }
    void SetText(size_t i, std::string_view bytes);
    void SetNull(size_t i);
    void SetInteger(size_t i, int64_t value);
    void SetDouble(size_t i, double value);
    void SetDate(size_t i, int year, int month, int day);  // as the parameter's own date type
    // Points parameter i at the value of `column` in the row image `row` (native bytes, the
    // column's type; the server converts to the parameter's). The row must outlive Execute.
    void Bind(size_t i, const TFbColumn& column, const char* row);
    // Points parameter i at `blobId` with the NULL indicator of `column` in `row`.
    void BindBlob(size_t i, const TFbColumn& column, const char* row, const ISC_QUAD& blobId);

    // Runs the statement with the current parameters; for a select it opens the cursor.
    void Execute();
    // The next row of the open cursor into Row(); false past the last row.
    bool Fetch();
    void CloseCursor();

  private:
    struct TSlot {
        std::string text;
        int64_t number = 0;
        short indicator = 0;
    };
    XSQLDA* In() { return reinterpret_cast<XSQLDA*>(in_.data()); }
    XSQLDA* Out() { return reinterpret_cast<XSQLDA*>(out_.data()); }
    void Describe();
    // Points parameter i, not null, at its slot's number holding `length` bytes of `type`.
    void PointAtNumber(size_t i, short type, short length);

    TFbTransaction& transaction_;
    TStatementHandle handle_;
    std::vector<char> in_, out_;   // the two XSQLDA blocks
    std::vector<XSQLVAR> inVars_;  // the parameters as the server described them
    std::vector<TSlot> slots_;
    TFbRowLayout layout_;
    std::vector<int64_t> row_;
    bool cursorOpen_ = false;
};

// Copies the content of blob `id` of `from` into a new blob of `to` and returns its id.
ISC_QUAD CopyBlob(TFbTransaction& from, const ISC_QUAD& id, TFbTransaction& to);
