// Describing statements, packing fetched rows and decoding column values.
#include <cstring>
#include <utility>

#include "CodePage.h"
#include "Internal.h"

namespace {

std::unique_ptr<std::byte[]> NewArea(int count) {
    if (count < 1)
        count = 1;
    auto area = std::make_unique<std::byte[]>(XSQLDA_LENGTH(count));
    auto* da = reinterpret_cast<XSQLDA*>(area.get());
    da->version = SQLDA_VERSION1;
    da->sqln = short(count);
    da->sqld = 0;
    return area;
}

template <typename T>
T Load(std::string_view bytes) {
    T v{};
    std::memcpy(&v, bytes.data(), std::min(sizeof v, bytes.size()));
    return v;
}

TValue Numeric(int64_t v, short scale) {
    return scale < 0 ? TValue::Scaled(v, scale) : TValue::Integer(v);
}

std::vector<TColumn> Describe(XSQLDA* da) {
    std::vector<TColumn> cols(size_t(da->sqld));
    for (int i = 0; i < da->sqld; ++i) {
        const XSQLVAR& v = da->sqlvar[i];
        TColumn& c = cols[size_t(i)];
        c.name = DecodeCp1252(std::string_view(v.aliasname, size_t(v.aliasname_length)));
        c.type = short(v.sqltype & ~1);
        c.scale = v.sqlscale;
        c.subtype = v.sqlsubtype;
        c.length = v.sqllen;
    }
    return cols;
}

}  // namespace

namespace {

void MoveOut(TIBQuery::Impl& q, TPreparation& p) {
    p.statement = std::exchange(q.statement, 0);
    p.statementType = std::exchange(q.statementType, 0);
    p.outColumns = std::move(q.outColumns);
    p.inColumns = std::move(q.inColumns);
    p.outArea = std::move(q.outArea);
    p.inArea = std::move(q.inArea);
    p.outBuffers = std::move(q.outBuffers);
    p.outIndicators = std::move(q.outIndicators);
    p.inBuffers = std::move(q.inBuffers);
    p.inIndicators = std::move(q.inIndicators);
}

void MoveIn(TPreparation& p, TIBQuery::Impl& q) {
    q.statement = std::exchange(p.statement, 0);
    q.statementType = p.statementType;
    q.outColumns = std::move(p.outColumns);
    q.inColumns = std::move(p.inColumns);
    q.outArea = std::move(p.outArea);
    q.inArea = std::move(p.inArea);
    q.outBuffers = std::move(p.outBuffers);
    q.outIndicators = std::move(p.outIndicators);
    q.inBuffers = std::move(p.inBuffers);
    q.inIndicators = std::move(p.inIndicators);
}

void Drop(isc_stmt_handle& statement) noexcept {
    TStatus ignored;
    isc_dsql_free_statement(ignored.get(), &statement, DSQL_drop);
    statement = 0;
}

// Enough for the look-ups of a step whose texts carry a value (one per distinct value).
constexpr size_t kKeptPreparations = 128;

}  // namespace

void TIBDatabase::Impl::Keep(TPreparation&& p) noexcept {
    released.push_back(std::move(p));
    if (released.size() > kKeptPreparations) {
        Drop(released.front().statement);
        released.erase(released.begin());
    }
}

bool TIBDatabase::Impl::Take(const Text& text, size_t hash, TIBTransaction* transaction,
                             TPreparation& into) noexcept {
    for (auto it = released.rbegin(); it != released.rend(); ++it) {
        if (it->hash == hash && it->transaction == transaction && it->text == text) {
            into = std::move(*it);
            released.erase(std::next(it).base());
            return true;
        }
    }
    return false;
}

void TIBDatabase::Impl::DropKept(TIBTransaction* transaction) noexcept {
    for (auto it = released.begin(); it != released.end();) {
        if (transaction && it->transaction != transaction) {
            ++it;
            continue;
        }
        Drop(it->statement);
        it = released.erase(it);
    }
}

void TIBQuery::Impl::Release() noexcept {
    if (!statement)
        return;
    CloseCursor();
    const bool endsTransaction =
        statementType == isc_info_sql_stmt_commit || statementType == isc_info_sql_stmt_rollback;
    if (database && database->Connected() && transaction && transaction->InTransaction() &&
        !endsTransaction) {
        TPreparation p;
        p.text = serverText;
        p.hash = serverHash;
        p.transaction = transaction;
        MoveOut(*this, p);
        database->impl().Keep(std::move(p));
        return;
    }
    Unprepare();
}

void TIBQuery::Impl::Prepare() {
    if (statement)
        return;
    if (TPreparation kept; database->impl().Take(serverText, serverHash, transaction, kept)) {
        MoveIn(kept, *this);
        return;
    }
    TStatus st;
    isc_db_handle& db = database->impl().handle;
    isc_tr_handle& tr = transaction->impl().handle;
    std::string text = EncodeCp1252(serverText);
    if (text.size() > 0xFFFF)
        throw EDatabaseError(u"SQL statement is too long");
    isc_stmt_handle h = 0;
    isc_dsql_allocate_statement(st.get(), &db, &h);
    Check(st);
    statement = h;
    try {
        const unsigned short dialect = static_cast<unsigned short>(database->SQLDialect());
        outArea = NewArea(16);
        isc_dsql_prepare(st.get(), &tr, &statement, static_cast<unsigned short>(text.size()),
                         text.data(), dialect, Out());
        Check(st);
        if (Out()->sqld > Out()->sqln) {
            outArea = NewArea(Out()->sqld);
            isc_dsql_describe(st.get(), &statement, SQLDA_VERSION1, Out());
            Check(st);
        }
        const char items[] = {isc_info_sql_stmt_type};
        char info[16] = {};
        isc_dsql_sql_info(st.get(), &statement, sizeof items, items, sizeof info, info);
        Check(st);
        statementType = info[0] == isc_info_sql_stmt_type
                            ? int(isc_vax_integer(info + 3, short(isc_vax_integer(info + 1, 2))))
                            : 0;

        inArea = NewArea(int(params.size()));
        isc_dsql_describe_bind(st.get(), &statement, SQLDA_VERSION1, In());
        Check(st);
        if (In()->sqld > In()->sqln) {
            inArea = NewArea(In()->sqld);
            isc_dsql_describe_bind(st.get(), &statement, SQLDA_VERSION1, In());
            Check(st);
        }
        outColumns = Describe(Out());
        inColumns = Describe(In());
        inBuffers.assign(inColumns.size(), std::string());
        inIndicators.assign(inColumns.size(), 0);

        // Output buffers in the columns' own types; VARYING carries a 2-byte length prefix.
        XSQLDA* out = Out();
        outBuffers.assign(size_t(out->sqld), std::string());
        outIndicators.assign(size_t(out->sqld), 0);
        for (int i = 0; i < out->sqld; ++i) {
            XSQLVAR& v = out->sqlvar[i];
            if ((v.sqltype & ~1) == SQL_ARRAY)
                throw EDatabaseError(u"Array columns are not supported: " +
                                     outColumns[size_t(i)].name);
            size_t size = size_t(v.sqllen) + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
            outBuffers[size_t(i)].assign(std::max<size_t>(size, 8), '\0');
            v.sqldata = outBuffers[size_t(i)].data();
            v.sqlind = &outIndicators[size_t(i)];
            v.sqltype = short(v.sqltype | 1);
        }
    } catch (...) {
        Unprepare();
        throw;
    }
}

void TIBQuery::Impl::Unprepare() noexcept {
    if (!statement)
        return;
    TStatus ignored;
    isc_dsql_free_statement(ignored.get(), &statement, DSQL_drop);
    statement = 0;
    statementType = 0;
    outColumns.clear();
    inColumns.clear();
}

namespace {

std::string ReadBlob(isc_db_handle& db, isc_tr_handle& tr, ISC_QUAD id) {
    TStatus st;
    isc_blob_handle blob = 0;
    isc_open_blob2(st.get(), &db, &tr, &blob, &id, 0, nullptr);
    Check(st);
    std::string content;
    char segment[65535];
    for (;;) {
        unsigned short got = 0;
        ISC_STATUS rc = isc_get_segment(st.get(), &blob, &got, sizeof segment, segment);
        if (rc == 0 || rc == isc_segment) {
            content.append(segment, got);
        } else if (rc == isc_segstr_eof) {
            break;
        } else {
            TStatus ignored;
            isc_cancel_blob(ignored.get(), &blob);
            ThrowStatus(st);
        }
    }
    isc_close_blob(st.get(), &blob);
    Check(st);
    return content;
}

}  // namespace

bool TIBQuery::Impl::FetchOne() {
    if (allFetched || !cursorOpen)
        return false;
    TStatus st;
    XSQLDA* out = Out();
    ISC_STATUS rc = isc_dsql_fetch(st.get(), &statement, SQLDA_VERSION1, out);
    if (rc == 100) {
        allFetched = true;
        CloseCursor();
        return false;
    }
    Check(st);
    const size_t n = size_t(out->sqld);
    std::string row((n + 1) * sizeof(uint32_t), '\0');
    auto setOffset = [&](size_t i, size_t value) {
        uint32_t o = uint32_t(value);
        std::memcpy(row.data() + i * sizeof o, &o, sizeof o);
    };
    for (size_t i = 0; i < n; ++i) {
        setOffset(i, row.size());
        const XSQLVAR& v = out->sqlvar[i];
        if (outIndicators[i] < 0) {
            row.push_back('\0');
            continue;
        }
        row.push_back('\1');
        const char* data = v.sqldata;
        switch (v.sqltype & ~1) {
            case SQL_VARYING: {
                unsigned short len;
                std::memcpy(&len, data, 2);
                row.append(data + 2, len);
                break;
            }
            case SQL_BLOB:
                // The identifier only: the content is read when the value is asked for, so
                // a large object that a step never uses is never read.
                row.append(data, sizeof(ISC_QUAD));
                break;
            default:
                row.append(data, size_t(v.sqllen));
                break;
        }
    }
    setOffset(n, row.size());
    rows.push_back(std::move(row));
    return true;
}

void TIBQuery::Impl::FetchAll() {
    while (FetchOne()) {
    }
}

void TIBQuery::Impl::CloseCursor() noexcept {
    if (!cursorOpen)
        return;
    TStatus ignored;
    isc_dsql_free_statement(ignored.get(), &statement, DSQL_close);
    cursorOpen = false;
}

namespace {
std::string_view ColumnBytes(const std::string& row, size_t column, bool& isNull) {
    uint32_t begin, end;
    std::memcpy(&begin, row.data() + column * sizeof begin, sizeof begin);
    std::memcpy(&end, row.data() + (column + 1) * sizeof end, sizeof end);
    isNull = row[begin] == '\0';
    return std::string_view(row).substr(begin + 1, end - begin - 1);
}
}  // namespace

bool TIBQuery::Impl::IsNullAt(size_t row, size_t column) const {
    bool isNull;
    ColumnBytes(rows[row], column, isNull);
    return isNull;
}

TValue TIBQuery::Impl::ValueAt(size_t row, size_t column) const {
    bool isNull;
    std::string_view bytes = ColumnBytes(rows[row], column, isNull);
    if (isNull)
        return TValue();
    if (outColumns[column].type == SQL_BLOB) {
        // Fetched rows live only while the query is open, that is while the transaction that
        // the identifier belongs to is in progress.
        ISC_QUAD id;
        std::memcpy(&id, bytes.data(), sizeof id);
        isc_db_handle db = database->impl().handle;
        isc_tr_handle tr = transaction->impl().handle;
        return DecodeColumn(outColumns[column], ReadBlob(db, tr, id));
    }
    return DecodeColumn(outColumns[column], bytes);
}

TValue DecodeColumn(const TColumn& c, std::string_view bytes) {
    switch (c.type) {
        case SQL_TEXT:
        case SQL_VARYING:
            return TValue::FromText(DecodeCp1252(bytes));
        case SQL_SHORT:
            return Numeric(Load<int16_t>(bytes), c.scale);
        case SQL_LONG:
            return Numeric(Load<int32_t>(bytes), c.scale);
        case SQL_INT64:
            return Numeric(Load<int64_t>(bytes), c.scale);
        case SQL_FLOAT:
            return TValue::Float(double(Load<float>(bytes)));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return TValue::Float(Load<double>(bytes));
        case SQL_TYPE_DATE:
            return TValue::Date(Load<ISC_DATE>(bytes));
        case SQL_TYPE_TIME:
            return TValue::Time(Load<ISC_TIME>(bytes));
        case SQL_TIMESTAMP: {
            auto ts = Load<ISC_TIMESTAMP>(bytes);
            return TValue::Timestamp(ts.timestamp_date, ts.timestamp_time);
        }
        case SQL_BOOLEAN:
            return TValue::Boolean(Load<unsigned char>(bytes) != 0);
        case SQL_BLOB:
            if (c.subtype == 1)
                return TValue::FromText(DecodeCp1252(bytes));
            return TValue::Bytes(std::string(bytes));
        default:
            throw EDatabaseError(u"Unsupported column type " + IntToText(c.type) + u" of " +
                                 c.name);
    }
}
