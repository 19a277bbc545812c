#pragma once
// Move-only owners of the client library's handles: attachment, transaction, statement and
// blob. Private to db/ (and the benchmark's baseline).
//
// An owner holds one handle or none. Destroying it, or assigning another over it, ends the
// handle quietly, as each class says: that never raises. The calls that can fail raise
// EIBError through Check (FbStatus.h). get() hands the handle to the library's own calls; the
// owner stays responsible for it.

#include <string>
#include <string_view>
#include <utility>

#include "FbStatus.h"

// The part every owner shares: the handle, 0 when there is none, ended by `End` (which must
// not raise and leaves it 0) when the owner lets it go.
template <typename H, void (*End)(H&) noexcept>
class TUniqueHandle {
  public:
    TUniqueHandle() = default;
    ~TUniqueHandle() { Reset(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }

    explicit operator bool() const { return handle_ != 0; }
    H* get() { return &handle_; }
    void Reset() noexcept {
        if (handle_)
            End(handle_);
    }

  private:
    H handle_ = 0;
};

// How each kind of handle is let go; each ignores the library's errors and leaves it 0.
void DetachQuietly(isc_db_handle& handle) noexcept;
void EndQuietly(isc_tr_handle& handle) noexcept;
void DropQuietly(isc_stmt_handle& handle) noexcept;
void CancelQuietly(isc_blob_handle& handle) noexcept;

// A database parameter block: the version byte and tagged items.
class TDpb {
  public:
    TDpb() : bytes_(1, char(isc_dpb_version1)) {}
    // Fails with "Connection parameter is too long" beyond 255 bytes.
    void AddText(char tag, std::string_view value);
    void AddInt(char tag, int value);  // four bytes, least significant first
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

class TAttachmentHandle {
  public:
    TAttachmentHandle() = default;
    // Attaches the database `file` (the bytes the platform's file functions take; "host:path"
    // reaches a server). Fails with "Database name is too long" beyond 32,767 bytes, and with
    // the database's error.
    static TAttachmentHandle Attach(const std::string& file, const TDpb& dpb);
    // Creates the database file `file` and attaches it.
    static TAttachmentHandle Create(const std::string& file, const TDpb& dpb);

    explicit operator bool() const { return bool(handle_); }
    isc_db_handle* get() { return handle_.get(); }

    // The database's own SQL dialect (1 for a database older than dialects).
    int DatabaseDialect();
    // Detaches; a refusal raises and keeps the handle.
    void Detach();
    // Detaches ignoring errors, and holds no handle after it: what destroying the owner does.
    void DetachQuietly() noexcept { handle_.Reset(); }

  private:
    TUniqueHandle<isc_db_handle, ::DetachQuietly> handle_;
};

class TTransactionHandle {
  public:
    TTransactionHandle() = default;
    // Starts a transaction on `attachment` with the parameter block `tpb` (empty: the
    // server's default behaviour).
    static TTransactionHandle Start(TAttachmentHandle& attachment, std::string_view tpb = {});

    explicit operator bool() const { return bool(handle_); }
    isc_tr_handle* get() { return handle_.get(); }

    // Commits. A refusal raises and keeps the handle: the transaction goes on, and a
    // rollback can still end it.
    void Commit();
    // Rolls back. A refusal raises, and the handle is let go all the same: the server has
    // discarded the transaction (a lost connection) or will at detach, and nothing else can
    // be done with it.
    void Rollback();
    // Rolls back ignoring errors, letting the handle go either way.
    void RollbackQuietly() noexcept;
    // The default action for a transaction left in progress, and what destroying the owner
    // does: commit, and when the commit is refused, the quiet rollback.
    void EndQuietly() noexcept { handle_.Reset(); }

  private:
    TUniqueHandle<isc_tr_handle, ::EndQuietly> handle_;
};

class TStatementHandle {
  public:
    TStatementHandle() = default;
    // A new statement handle on `attachment`, to prepare a text into.
    static TStatementHandle Allocate(TAttachmentHandle& attachment);

    explicit operator bool() const { return bool(handle_); }
    isc_stmt_handle* get() { return handle_.get(); }

    // Closes the open cursor (the statement stays prepared).
    void CloseCursor();
    void CloseCursorQuietly() noexcept;
    // Destroying the owner drops the statement, errors ignored.

  private:
    TUniqueHandle<isc_stmt_handle, ::DropQuietly> handle_;
};

class TBlobHandle {
  public:
    TBlobHandle() = default;
    // Opens the blob `id` for reading.
    static TBlobHandle Open(TAttachmentHandle& attachment, TTransactionHandle& transaction,
                            ISC_QUAD id);
    // Creates a blob to write; `id` receives its identifier.
    static TBlobHandle Create(TAttachmentHandle& attachment, TTransactionHandle& transaction,
                              ISC_QUAD& id);

    // Reads the next segment (or its next `size` bytes) into `buffer`, `got` bytes of it;
    // false at the end of the blob.
    bool GetSegment(char* buffer, unsigned short size, unsigned short& got);
    void PutSegment(const char* data, unsigned short size);
    // Closes the blob (a new one keeps its content); holds no handle after it. An owner
    // destroyed before Close cancels the blob: a new one's content is discarded.
    void Close();

  private:
    TUniqueHandle<isc_blob_handle, ::CancelQuietly> handle_;
};
