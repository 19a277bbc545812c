#include <algorithm>

#include "CodePage.h"
#include "Impl.h"

namespace {

// The file name as the platform's file functions expect it.
std::string EncodeFileName(const Text& name) {
#ifdef _WIN32
    return EncodeCp1252(name);
#else
    return ToUtf8(name);
#endif
}

TDpb BuildDpb(const TStringList& params) {
    TDpb dpb;
    for (size_t i = 0; i < params.Count(); ++i) {
        const Text& line = params[i];
        size_t eq = line.find(u'=');
        if (eq == Text::npos)
            continue;
        Text name = AsciiLower(Trim(line.substr(0, eq)));
        std::string value = EncodeCp1252(line.substr(eq + 1));
        if (name == u"user_name")
            dpb.AddText(isc_dpb_user_name, value);
        else if (name == u"password")
            dpb.AddText(isc_dpb_password, value);
        else if (name == u"lc_ctype")
            dpb.AddText(isc_dpb_lc_ctype, value);
        else if (name == u"sql_role_name")
            dpb.AddText(isc_dpb_sql_role_name, value);
    }
    return dpb;
}

}  // namespace

TIBDatabase::TIBDatabase() : impl_(std::make_unique<Impl>()) {}

TIBDatabase::~TIBDatabase() {
    if (Connected()) {
        try {
            impl_->Disconnect();
        } catch (...) {
            impl_->ForceDisconnect();
        }
    }
    for (auto* q : std::vector(impl_->queries))
        q->Detach();
    for (auto* t : std::vector(impl_->transactions))
        ImplOf(*t).database = nullptr;
}

void TIBDatabase::SetDatabaseName(Text name) {
    impl_->name = std::move(name);
}
const Text& TIBDatabase::DatabaseName() const {
    return impl_->name;
}
TStringList& TIBDatabase::Params() {
    return impl_->params;
}
const TStringList& TIBDatabase::Params() const {
    return impl_->params;
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction* transaction) {
    impl_->defaultTransaction = transaction;
    if (transaction && !transaction->DefaultDatabase())
        transaction->SetDefaultDatabase(this);
}
TIBTransaction* TIBDatabase::DefaultTransaction() const {
    return impl_->defaultTransaction;
}

bool TIBDatabase::Connected() const {
    return bool(impl_->attachment);
}

void TIBDatabase::SetConnected(bool connected) {
    if (connected && !Connected())
        impl_->Connect();
    if (!connected && Connected())
        impl_->Disconnect();
}

bool TIBDatabase::TestConnected() {
    if (!Connected())
        return false;
    TStatus st;
    const char items[] = {isc_info_base_level, isc_info_end};
    char buffer[32];
    isc_database_info(st.get(), impl_->attachment.get(), sizeof items, items, sizeof buffer,
                      buffer);
    if (!st.Failed())
        return true;
    impl_->ForceDisconnect();
    return false;
}

int TIBDatabase::SQLDialect() const {
    return impl_->Dialect();
}
int TIBDatabase::DatabaseSQLDialect() const {
    return impl_->databaseDialect;
}

void TIBDatabase::Impl::Connect() {
    if (name.empty())
        throw EDatabaseError(u"Database name is missing");
    const std::string file = EncodeFileName(name);
    const TDpb dpb = BuildDpb(params);
    TAttachmentHandle attached = TAttachmentHandle::Attach(file, dpb);
    databaseDialect = attached.DatabaseDialect();
    attachment = std::move(attached);
}

void TIBDatabase::Impl::Disconnect() {
    CloseAndUnprepare(queries);
    for (auto* t : transactions)
        if (t->InTransaction())
            t->Commit();
    kept.Drop(nullptr);
    attachment.Detach();
    databaseDialect = 0;
}

void TIBDatabase::Impl::ForceDisconnect() noexcept {
    CloseAndUnprepare(queries);
    for (auto* t : transactions)
        ImplOf(*t).handle.RollbackQuietly();
    kept.Drop(nullptr);
    attachment.DetachQuietly();
    databaseDialect = 0;
}
