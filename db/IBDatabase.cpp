#include <algorithm>

#include "CodePage.h"
#include "Internal.h"

namespace {

// The file name as the platform's file functions expect it.
std::string EncodeFileName(const Text& name) {
#ifdef _WIN32
    return EncodeCp1252(name);
#else
    return ToUtf8(name);
#endif
}

void AddDpbString(std::string& dpb, char tag, const std::string& value) {
    if (value.size() > 255)
        throw EDatabaseError(u"Connection parameter is too long");
    dpb.push_back(tag);
    dpb.push_back(char(value.size()));
    dpb += value;
}

std::string BuildDpb(const TStringList& params) {
    std::string dpb(1, char(isc_dpb_version1));
    for (size_t i = 0; i < params.Count(); ++i) {
        const Text& line = params[i];
        size_t eq = line.find(u'=');
        if (eq == Text::npos)
            continue;
        Text name = AsciiLower(Trim(line.substr(0, eq)));
        std::string value = EncodeCp1252(line.substr(eq + 1));
        if (name == u"user_name")
            AddDpbString(dpb, isc_dpb_user_name, value);
        else if (name == u"password")
            AddDpbString(dpb, isc_dpb_password, value);
        else if (name == u"lc_ctype")
            AddDpbString(dpb, isc_dpb_lc_ctype, value);
        else if (name == u"sql_role_name")
            AddDpbString(dpb, isc_dpb_sql_role_name, value);
    }
    return dpb;
}

int ReadDialect(isc_db_handle& handle) {
    TStatus st;
    const char items[] = {isc_info_db_sql_dialect, isc_info_end};
    char buffer[32] = {};
    isc_database_info(st.get(), &handle, sizeof items, items, sizeof buffer, buffer);
    Check(st);
    if (buffer[0] != isc_info_db_sql_dialect)
        return 1;  // databases older than dialects
    short len = short(isc_vax_integer(buffer + 1, 2));
    return int(isc_vax_integer(buffer + 3, len));
}

}  // namespace

TIBDatabase::TIBDatabase() : impl_(std::make_unique<Impl>()) {
    impl_->self = this;
}

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
        t->impl().database = nullptr;
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
    return impl_->handle != 0;
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
    isc_database_info(st.get(), &impl_->handle, sizeof items, items, sizeof buffer, buffer);
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
    std::string file = EncodeFileName(name);
    std::string dpb = BuildDpb(params);
    if (file.size() > 32767)
        throw EDatabaseError(u"Database name is too long");
    TStatus st;
    isc_db_handle h = 0;
    isc_attach_database(st.get(), short(file.size()), file.c_str(), &h, short(dpb.size()),
                        dpb.data());
    Check(st);
    try {
        databaseDialect = ReadDialect(h);
    } catch (...) {
        TStatus ignored;
        isc_detach_database(ignored.get(), &h);
        throw;
    }
    handle = h;
}

void TIBDatabase::Impl::Disconnect() {
    for (auto* q : queries)
        q->CloseQuietly();
    for (auto* q : queries)
        q->Unprepare();
    for (auto* t : transactions)
        if (t->InTransaction())
            t->Commit();
    DropKept(nullptr);
    TStatus st;
    isc_detach_database(st.get(), &handle);
    Check(st);
    handle = 0;
    databaseDialect = 0;
}

void TIBDatabase::Impl::ForceDisconnect() noexcept {
    for (auto* q : queries)
        q->CloseQuietly();
    for (auto* q : queries)
        q->Unprepare();
    for (auto* t : transactions)
        t->impl().Forget();
    DropKept(nullptr);
    TStatus st;
    isc_detach_database(st.get(), &handle);
    handle = 0;
    databaseDialect = 0;
}
