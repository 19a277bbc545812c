#include "FbHandles.h"

#include "DatabaseError.h"

namespace {

// Lets the client's handle of a transaction go without ending the transaction: for one whose
// rollback failed (the server then ends it when the attachment goes).
void Disconnect(isc_tr_handle& handle) noexcept {
    TStatus ignored;
    fb_disconnect_transaction(ignored.get(), &handle);
    handle = 0;
}

void RollbackOrDisconnect(isc_tr_handle& handle) noexcept {
    TStatus st;
    isc_rollback_transaction(st.get(), &handle);
    if (st.Failed())
        Disconnect(handle);
    handle = 0;
}

}  // namespace

void DetachQuietly(isc_db_handle& handle) noexcept {
    TStatus ignored;
    isc_detach_database(ignored.get(), &handle);
    handle = 0;
}

void EndQuietly(isc_tr_handle& handle) noexcept {
    TStatus st;
    isc_commit_transaction(st.get(), &handle);
    if (st.Failed())
        RollbackOrDisconnect(handle);
    handle = 0;
}

void DropQuietly(isc_stmt_handle& handle) noexcept {
    TStatus ignored;
    isc_dsql_free_statement(ignored.get(), &handle, DSQL_drop);
    handle = 0;
}

void CancelQuietly(isc_blob_handle& handle) noexcept {
    TStatus ignored;
    isc_cancel_blob(ignored.get(), &handle);
    handle = 0;
}

// ---- Parameter blocks ----

void TDpb::AddText(char tag, std::string_view value) {
    if (value.size() > 255)
        throw EDatabaseError(u"Connection parameter is too long");
    bytes_.push_back(tag);
    bytes_.push_back(char(value.size()));
    bytes_ += value;
}

void TDpb::AddInt(char tag, int value) {
    bytes_.push_back(tag);
    bytes_.push_back(4);
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(char((value >> (8 * i)) & 0xFF));
}

// ---- Attachments ----

TAttachmentHandle TAttachmentHandle::Attach(const std::string& file, const TDpb& dpb) {
    if (file.size() > 32767)
        throw EDatabaseError(u"Database name is too long");
    TAttachmentHandle attachment;
    TStatus st;
    isc_attach_database(st.get(), short(file.size()), file.c_str(), attachment.get(),
                        short(dpb.Bytes().size()), dpb.Bytes().data());
    Check(st);
    return attachment;
}

TAttachmentHandle TAttachmentHandle::Create(const std::string& file, const TDpb& dpb) {
    if (file.size() > 32767)
        throw EDatabaseError(u"Database name is too long");
    TAttachmentHandle attachment;
    TStatus st;
    isc_create_database(st.get(), static_cast<unsigned short>(file.size()), file.c_str(),
                        attachment.get(), short(dpb.Bytes().size()), dpb.Bytes().data(), 0);
    Check(st);
    return attachment;
}

int TAttachmentHandle::DatabaseDialect() {
    TStatus st;
    const char items[] = {isc_info_db_sql_dialect, isc_info_end};
    char buffer[32] = {};
    isc_database_info(st.get(), get(), sizeof items, items, sizeof buffer, buffer);
    Check(st);
    if (buffer[0] != isc_info_db_sql_dialect)
        return 1;  // databases older than dialects
    const short length = short(isc_vax_integer(buffer + 1, 2));
    return int(isc_vax_integer(buffer + 3, length));
}

void TAttachmentHandle::Detach() {
    TStatus st;
    isc_detach_database(st.get(), get());
    Check(st);
}

// ---- Transactions ----

TTransactionHandle TTransactionHandle::Start(TAttachmentHandle& attachment, std::string_view tpb) {
    TTransactionHandle transaction;
    TStatus st;
    isc_start_transaction(st.get(), transaction.get(), 1, attachment.get(), short(tpb.size()),
                          tpb.empty() ? nullptr : tpb.data());
    Check(st);
    return transaction;
}

void TTransactionHandle::Commit() {
    TStatus st;
    isc_commit_transaction(st.get(), get());
    Check(st);
}

void TTransactionHandle::Rollback() {
    TStatus st;
    isc_rollback_transaction(st.get(), get());
    if (st.Failed()) {
        Disconnect(*get());
        ThrowStatus(st);
    }
}

void TTransactionHandle::RollbackQuietly() noexcept {
    if (*this)
        RollbackOrDisconnect(*get());
}

// ---- Statements ----

TStatementHandle TStatementHandle::Allocate(TAttachmentHandle& attachment) {
    TStatementHandle statement;
    TStatus st;
    isc_dsql_allocate_statement(st.get(), attachment.get(), statement.get());
    Check(st);
    return statement;
}

void TStatementHandle::CloseCursor() {
    TStatus st;
    isc_dsql_free_statement(st.get(), get(), DSQL_close);
    Check(st);
}

void TStatementHandle::CloseCursorQuietly() noexcept {
    TStatus ignored;
    isc_dsql_free_statement(ignored.get(), get(), DSQL_close);
}

// ---- Blobs ----

TBlobHandle TBlobHandle::Open(TAttachmentHandle& attachment, TTransactionHandle& transaction,
                              ISC_QUAD id) {
    TBlobHandle blob;
    TStatus st;
    isc_open_blob2(st.get(), attachment.get(), transaction.get(), blob.handle_.get(), &id, 0,
                   nullptr);
    Check(st);
    return blob;
}

TBlobHandle TBlobHandle::Create(TAttachmentHandle& attachment, TTransactionHandle& transaction,
                                ISC_QUAD& id) {
    TBlobHandle blob;
    TStatus st;
    isc_create_blob2(st.get(), attachment.get(), transaction.get(), blob.handle_.get(), &id, 0,
                     nullptr);
    Check(st);
    return blob;
}

bool TBlobHandle::GetSegment(char* buffer, unsigned short size, unsigned short& got) {
    TStatus st;
    got = 0;
    const ISC_STATUS rc = isc_get_segment(st.get(), handle_.get(), &got, size, buffer);
    if (rc == 0 || rc == isc_segment)
        return true;
    if (rc == isc_segstr_eof)
        return false;
    ThrowStatus(st);
}

void TBlobHandle::PutSegment(const char* data, unsigned short size) {
    TStatus st;
    isc_put_segment(st.get(), handle_.get(), size, data);
    Check(st);
}

void TBlobHandle::Close() {
    TStatus st;
    isc_close_blob(st.get(), handle_.get());
    Check(st);
}
