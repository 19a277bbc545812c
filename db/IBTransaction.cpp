#include <algorithm>

#include "Impl.h"

TIBTransaction::TIBTransaction() : impl_(std::make_unique<Impl>()) {}

TIBTransaction::~TIBTransaction() {
    // Still in progress: the default action, commit (see TTransactionHandle::EndQuietly).
    if (InTransaction()) {
        impl_->CloseQueries(this);
        impl_->handle.EndQuietly();
    }
    for (auto* q : impl_->queries)
        q->transaction = nullptr;
    SetDefaultDatabase(nullptr);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* database) {
    if (impl_->database == database)
        return;
    if (impl_->database) {
        auto& list = ImplOf(*impl_->database).transactions;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    impl_->database = database;
    if (database)
        ImplOf(*database).transactions.push_back(this);
}

TIBDatabase* TIBTransaction::DefaultDatabase() const {
    return impl_->database;
}

bool TIBTransaction::InTransaction() const {
    return bool(impl_->handle);
}

void TIBTransaction::SetActive(bool active) {
    if (active && !InTransaction())
        StartTransaction();
    if (!active && InTransaction())
        Rollback();
}

void TIBTransaction::StartTransaction() {
    if (InTransaction())
        throw EDatabaseError(u"Transaction is active");
    if (!impl_->database || !impl_->database->Connected())
        throw EDatabaseError(u"Cannot perform operation -- DB is not open");
    // An empty parameter block: the server's default transaction behaviour.
    impl_->handle = TTransactionHandle::Start(ImplOf(*impl_->database).attachment);
}

void TIBTransaction::Commit() {
    if (!InTransaction())
        throw EDatabaseError(u"Transaction is not active");
    impl_->CloseQueries(this);
    impl_->handle.Commit();
}

void TIBTransaction::Rollback() {
    if (!InTransaction())
        throw EDatabaseError(u"Transaction is not active");
    impl_->CloseQueries(this);
    // A refused rollback lets the handle go too: the server no longer knows the transaction
    // (a lost connection) or ends it at detach, and keeping it would leave this object
    // "in transaction" with nothing that could end it.
    impl_->handle.Rollback();
}

void TIBTransaction::Impl::CloseQueries(const TIBTransaction* self) noexcept {
    CloseAndUnprepare(queries);
    if (database)
        ImplOf(*database).kept.Drop(self);
}
