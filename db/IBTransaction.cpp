#include <algorithm>

#include "Internal.h"

TIBTransaction::TIBTransaction() : impl_(std::make_unique<Impl>()) {}

TIBTransaction::~TIBTransaction() {
    impl_->EndQuietly(this);
    for (auto* q : impl_->queries)
        q->transaction = nullptr;
    SetDefaultDatabase(nullptr);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* database) {
    if (impl_->database == database)
        return;
    if (impl_->database) {
        auto& list = impl_->database->impl().transactions;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    impl_->database = database;
    if (database)
        database->impl().transactions.push_back(this);
}

TIBDatabase* TIBTransaction::DefaultDatabase() const {
    return impl_->database;
}

bool TIBTransaction::InTransaction() const {
    return impl_->handle != 0;
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
    TStatus st;
    isc_tr_handle h = 0;
    // An empty parameter block: the server's default transaction behaviour.
    isc_start_transaction(st.get(), &h, 1, &impl_->database->impl().handle, 0, nullptr);
    Check(st);
    impl_->handle = h;
}

void TIBTransaction::Commit() {
    if (!InTransaction())
        throw EDatabaseError(u"Transaction is not active");
    impl_->CloseQueries(this);
    TStatus st;
    isc_commit_transaction(st.get(), &impl_->handle);
    Check(st);
    impl_->handle = 0;
}

void TIBTransaction::Rollback() {
    if (!InTransaction())
        throw EDatabaseError(u"Transaction is not active");
    impl_->CloseQueries(this);
    TStatus st;
    isc_rollback_transaction(st.get(), &impl_->handle);
    Check(st);
    impl_->handle = 0;
}

void TIBTransaction::Impl::CloseQueries(TIBTransaction* self) noexcept {
    for (auto* q : queries)
        q->CloseQuietly();
    for (auto* q : queries)
        q->Unprepare();
    if (database)
        database->impl().DropKept(self);
}

void TIBTransaction::Impl::EndQuietly(TIBTransaction* self) noexcept {
    if (!handle)
        return;
    CloseQueries(self);
    TStatus st;
    isc_commit_transaction(st.get(), &handle);
    if (st.Failed()) {
        TStatus ignored;
        isc_rollback_transaction(ignored.get(), &handle);
    }
    handle = 0;
}

void TIBTransaction::Impl::Forget() noexcept {
    if (!handle)
        return;
    TStatus ignored;
    isc_rollback_transaction(ignored.get(), &handle);
    handle = 0;
}
