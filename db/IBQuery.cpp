#include "IBQuery.h"

#include <algorithm>

#include "FaultInjection.h"
#include "FormatSettings.h"
#include "Impl.h"
#include "ParamScanner.h"

namespace {
TStatementHook& StatementHook() {
    static TStatementHook hook;
    return hook;
}

template <typename T>
void EraseFrom(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool IsTextColumn(const TColumn& c) {
    return c.type == SQL_TEXT || c.type == SQL_VARYING || (c.type == SQL_BLOB && c.subtype == 1);
}
}  // namespace

void SetStatementHook(TStatementHook hook) {
    StatementHook() = std::move(hook);
}

// ---- TParam ----

void TParam::SetAsString(Text value) {
    dataType_ = TValueKind::Text;
    value_ = TValue::FromText(std::move(value));
}

void TParam::SetValue(TValue value) {
    if (dataType_ == TValueKind::Null && !value.IsNull())
        dataType_ = value.Kind();
    value_ = std::move(value);
}

// ---- TSQLText ----

void TSQLText::Clear() {
    q_.impl_->lines.clear();
    q_.TextChanged();
}

void TSQLText::Add(TextView line) {
    q_.impl_->lines.emplace_back(line);
    q_.TextChanged();
}

void TSQLText::SetText(TextView text) {
    TStringList split;
    split.SetText(text);
    auto& lines = q_.impl_->lines;
    lines.clear();
    for (size_t i = 0; i < split.Count(); ++i)
        lines.push_back(split[i]);
    q_.TextChanged();
}

Text TSQLText::GetText() const {
    Text r;
    const auto& lines = q_.impl_->lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            r += u"\r\n";
        r += lines[i];
    }
    return r;
}

size_t TSQLText::Count() const {
    return q_.impl_->lines.size();
}

// ---- TIBQuery ----

TIBQuery::TIBQuery() : impl_(std::make_unique<Impl>()), sql_(*this) {}

TIBQuery::~TIBQuery() {
    impl_->Detach();
}

void TIBQuery::Impl::Detach() noexcept {
    CloseQuietly();
    Release();
    if (transaction)
        EraseFrom(ImplOf(*transaction).queries, this);
    if (database)
        EraseFrom(ImplOf(*database).queries, this);
    transaction = nullptr;
    database = nullptr;
}

void TIBQuery::SetDatabase(TIBDatabase* database) {
    impl_->Detach();
    impl_->database = database;
    if (!database)
        return;
    ImplOf(*database).queries.push_back(impl_.get());
    impl_->transaction = database->DefaultTransaction();
    if (impl_->transaction)
        ImplOf(*impl_->transaction).queries.push_back(impl_.get());
}

TIBDatabase* TIBQuery::Database() const {
    return impl_->database;
}
TIBTransaction* TIBQuery::Transaction() const {
    return impl_->transaction;
}

void TIBQuery::TextChanged() {
    impl_->CloseQuietly();
    impl_->Release();
    TScannedStatement scanned = ScanParameters(sql_.GetText());
    std::vector<std::unique_ptr<TParam>> fresh;
    fresh.reserve(scanned.names.size());
    for (auto& name : scanned.names) {
        auto p = std::make_unique<TParam>(name);
        // A parameter of the same name in the old list hands its value over.
        for (const auto& old : impl_->params) {
            if (SameText(old->Name(), name)) {
                *p = *old;
                break;
            }
        }
        fresh.push_back(std::move(p));
    }
    impl_->params = std::move(fresh);
    impl_->serverText = std::move(scanned.serverText);
    impl_->serverHash = std::hash<Text>{}(impl_->serverText);
}

void TIBQuery::Impl::EnsureReady() {
    if (!database)
        throw EDatabaseError(u"Database not assigned");
    if (!transaction)
        throw EDatabaseError(u"Transaction not assigned");
    if (!database->Connected())
        database->SetConnected(true);
    if (!transaction->InTransaction())
        transaction->StartTransaction();
}

void TIBQuery::Impl::Prepare() {
    if (prepared)
        return;
    TIBDatabase::Impl& connection = ImplOf(*database);
    prepared = connection.kept.Take(serverText, serverHash, transaction);
    if (!prepared)
        prepared = PrepareStatement(connection.attachment, ImplOf(*transaction).handle, transaction,
                                    database->SQLDialect(), serverText, serverHash, params.size());
}

void TIBQuery::Impl::Release() noexcept {
    if (!prepared)
        return;
    CloseCursor();
    if (database && database->Connected() && transaction && transaction->InTransaction() &&
        !prepared->EndsTransaction())
        ImplOf(*database).kept.Keep(std::move(*prepared));
    prepared.reset();
}

void CloseAndUnprepare(const std::vector<TIBQuery::Impl*>& queries) noexcept {
    for (auto* q : queries)
        q->CloseQuietly();
    for (auto* q : queries)
        q->Unprepare();
}

void TIBQuery::ExecSQL() {
    Impl& q = *impl_;
    if (q.active)
        throw EDatabaseError(u"Cannot perform this operation on an open dataset");
    if (q.lines.empty() || sql_.GetText().size() < 2)
        throw EDatabaseError(u"Empty SQL Statement");
    if (StatementHook())
        StatementHook()(sql_.GetText());
    q.EnsureReady();
    q.Prepare();
    // Transaction control statements end this layer's transaction object, so that its queries
    // are closed and the next statement starts a new transaction.
    TPreparation& p = *q.prepared;
    if (p.statementType == isc_info_sql_stmt_commit)
        return q.transaction->Commit();
    if (p.statementType == isc_info_sql_stmt_rollback)
        return q.transaction->Rollback();
    q.Bind();
    TStatus st;
    isc_tr_handle* tr = ImplOf(*q.transaction).handle.get();
    const unsigned short dialect = static_cast<unsigned short>(q.database->SQLDialect());
    if (p.statementType == isc_info_sql_stmt_exec_procedure) {
        isc_dsql_execute2(st.get(), tr, p.statement.get(), dialect, p.In(), p.Out());
        Check(st);
    } else {
        isc_dsql_execute(st.get(), tr, p.statement.get(), dialect, p.In());
        Check(st);
        if (p.IsSelect())
            p.statement.CloseCursorQuietly();
    }
}

void TIBQuery::Open() {
    Impl& q = *impl_;
    if (q.active)
        return;
    if (q.lines.empty())
        throw EDatabaseError(u"Empty SQL Statement");
    if (StatementHook())
        StatementHook()(sql_.GetText());
    q.EnsureReady();
    q.Prepare();
    TPreparation& p = *q.prepared;
    if (!p.IsSelect())
        throw EDatabaseError(u"The statement is not a select statement and cannot be opened");
    q.Bind();
    TStatus st;
    isc_dsql_execute(st.get(), ImplOf(*q.transaction).handle.get(), p.statement.get(),
                     static_cast<unsigned short>(q.database->SQLDialect()), p.In());
    Check(st);
    q.cursorOpen = true;
    q.allFetched = false;
    q.rows.clear();
    q.active = true;
    ++q.generation;
    try {
        q.FetchOne();
    } catch (...) {
        q.CloseQuietly();
        throw;
    }
    q.current = 0;
    q.eof = q.rows.empty();
}

void TIBQuery::Prepare() {
    if (impl_->lines.empty())
        throw EDatabaseError(u"Empty SQL Statement");
    impl_->EnsureReady();
    impl_->Prepare();
}

TIBQuery::TTarget TIBQuery::ParamTarget(size_t index) const {
    if (!impl_->prepared || index >= impl_->prepared->inColumns.size())
        return TTarget::Other;
    switch (impl_->prepared->inColumns[index].type) {
        case SQL_TEXT:
        case SQL_VARYING:
            return TTarget::Text;
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64:
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return TTarget::Number;
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
        case SQL_TIMESTAMP:
            return TTarget::DateTime;
        case SQL_BLOB:
            return TTarget::Blob;
        case SQL_BOOLEAN:
            return TTarget::Boolean;
        default:
            return TTarget::Other;
    }
}

void TIBQuery::Impl::CloseQuietly() noexcept {
    CloseCursor();
    if (active)
        ++generation;
    active = false;
    allFetched = false;
    rows.clear();
    rows.shrink_to_fit();
    current = 0;
    eof = true;
}

void TIBQuery::Close() {
    impl_->CloseQuietly();
}
bool TIBQuery::Active() const {
    return impl_->active;
}
bool TIBQuery::Prepared() const {
    return impl_->prepared.has_value();
}

size_t TIBQuery::ParamCount() const {
    return impl_->params.size();
}
TParam& TIBQuery::Params(size_t index) {
    return *impl_->params.at(index);
}

TParam* TIBQuery::FindParam(TextView name) {
    for (auto& p : impl_->params)
        if (SameText(p->Name(), name))
            return p.get();
    return nullptr;
}

TParam& TIBQuery::ParamByName(TextView name) {
    if (TParam* p = FindParam(name))
        return *p;
    throw EDatabaseError(u"Parameter '" + Text(name) + u"' not found");
}

void TIBQuery::Impl::RequireActive() const {
    if (!active)
        throw EDatabaseError(u"Cannot perform this operation on a closed dataset");
}

void TIBQuery::First() {
    impl_->RequireActive();
    impl_->current = 0;
    impl_->eof = impl_->rows.empty();
}

void TIBQuery::Next() {
    Impl& q = *impl_;
    q.RequireActive();
    if (q.eof)
        return;
    if (q.current + 1 < q.rows.size() || q.FetchOne())
        ++q.current;
    else
        q.eof = true;
}

void TIBQuery::Last() {
    Impl& q = *impl_;
    q.RequireActive();
    q.FetchAll();
    q.eof = q.rows.empty();
    q.current = q.rows.empty() ? 0 : q.rows.size() - 1;
}

bool TIBQuery::Eof() const {
    return impl_->eof;
}
size_t TIBQuery::RecordCount() const {
    return impl_->rows.size();
}
size_t TIBQuery::RecNo() const {
    return impl_->current;
}

void TIBQuery::SetRecNo(size_t row) {
    Impl& q = *impl_;
    q.RequireActive();
    while (row >= q.rows.size() && q.FetchOne()) {
    }
    if (row >= q.rows.size())
        throw EDatabaseError(u"Record number out of range");
    q.current = row;
    q.eof = false;
}

size_t TIBQuery::FieldCount() const {
    return impl_->active ? impl_->OutColumns().size() : 0;
}

TField TIBQuery::Fields(size_t index) const {
    if (index >= FieldCount())
        throw EDatabaseError(u"Field index out of range");
    return TField(this, index, impl_->generation, impl_->OutColumns()[index].name);
}

std::optional<TField> TIBQuery::FindField(TextView name) const {
    if (!impl_->active)
        return std::nullopt;
    const auto& cols = impl_->OutColumns();
    for (size_t i = 0; i < cols.size(); ++i)
        if (SameText(cols[i].name, name))
            return TField(this, i, impl_->generation, cols[i].name);
    return std::nullopt;
}

TField TIBQuery::FieldByName(TextView name) const {
    if (auto f = FindField(name))
        return *f;
    throw EDatabaseError(u"Field '" + Text(name) + u"' not found");
}

bool TIBQuery::Locate(TextView keyField, const TValue& value, TLocateOptions options) {
    Impl& q = *impl_;
    TField field = FieldByName(keyField);
    const TColumn& column = q.OutColumns()[field.index_];
    const size_t savedRow = q.current;
    const bool savedEof = q.eof;
    const Text wanted = value.ToText();
    auto matches = [&](size_t row) {
        TValue v = q.ValueAt(row, field.index_);
        if (v.IsNull() || value.IsNull())
            return v.IsNull() && value.IsNull();
        if (IsTextColumn(column) || value.Kind() == TValueKind::Text ||
            column.type == SQL_TYPE_DATE || column.type == SQL_TYPE_TIME ||
            column.type == SQL_TIMESTAMP) {
            Text have = v.ToText();
            Text want = wanted;
            if (options.caseInsensitive)
                have = AsciiUpper(have), want = AsciiUpper(want);
            if (options.partialKey)
                return have.compare(0, want.size(), want) == 0;
            return have == want;
        }
        try {
            return v.ToFloat() == value.ToFloat();
        } catch (const EError&) {
            return false;
        }
    };
    for (size_t row = 0;; ++row) {
        if (row >= q.rows.size() && !q.FetchOne())
            break;
        if (matches(row)) {
            q.current = row;
            q.eof = false;
            return true;
        }
    }
    q.current = savedRow;
    q.eof = savedEof;
    return false;
}

std::unordered_map<Text, size_t> TIBQuery::KeyIndex(TextView keyField) {
    Impl& q = *impl_;
    TField field = FieldByName(keyField);
    q.FetchAll();
    std::unordered_map<Text, size_t> index;
    index.reserve(q.rows.size());
    for (size_t row = 0; row < q.rows.size(); ++row) {
        if (q.IsNullAt(row, field.index_))
            continue;
        index.try_emplace(q.ValueAt(row, field.index_).ToText(), row);
    }
    return index;
}

int64_t TIBQuery::RowsAffected() const {
    Impl& q = *impl_;
    if (!q.prepared)
        return 0;
    TStatus st;
    const char items[] = {isc_info_sql_records};
    char info[64] = {};
    isc_dsql_sql_info(st.get(), q.prepared->statement.get(), sizeof items, items, sizeof info,
                      info);
    Check(st);
    if (info[0] != isc_info_sql_records)
        return 0;
    int64_t total = 0;
    for (const char* p = info + 3; *p != isc_info_end;) {
        char item = *p++;
        short len = short(isc_vax_integer(p, 2));
        p += 2;
        if (item == isc_info_req_insert_count || item == isc_info_req_update_count ||
            item == isc_info_req_delete_count)
            total += isc_vax_integer(p, len);
        p += len;
    }
    return total;
}

// ---- TField ----

const std::vector<TColumn>& TIBQuery::Impl::OutColumns() const {
    static const std::vector<TColumn> kNone;
    return prepared ? prepared->outColumns : kNone;
}

Text TField::FieldName() const {
    return name_;
}

TValue TField::AsVariant() const {
    const auto& q = *q_->impl_;
    if (!q.active || q.generation != generation_)
        throw EDatabaseError(u"Field '" + name_ + u"' not found");
    if (q.rows.empty())
        return TValue();
    return q.ValueAt(q.current, index_);
}

bool TField::IsNull() const {
    const auto& q = *q_->impl_;
    if (!q.active || q.generation != generation_)
        throw EDatabaseError(u"Field '" + name_ + u"' not found");
    return q.rows.empty() || q.IsNullAt(q.current, index_);
}
Text TField::AsString() const {
    return AsVariant().ToText();
}

int64_t TField::AsInteger() const {
    TValue v = AsVariant();
    // A text column is read as a number: NULL and the empty text are no numbers.
    if (v.IsNull() && IsTextColumn(q_->impl_->OutColumns()[index_]))
        v = TValue::FromText(Text());
    return v.ToInteger();
}

double TField::AsFloat() const {
    TValue v = AsVariant();
    if (v.IsNull() && IsTextColumn(q_->impl_->OutColumns()[index_]))
        v = TValue::FromText(Text());
    return v.ToFloat();
}
