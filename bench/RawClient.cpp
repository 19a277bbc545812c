#include "RawClient.h"

#include <cstring>
#include <ctime>

namespace {

size_t AlignUp(size_t n) {
    return (n + 7) / 8 * 8;
}

std::vector<char> NewSqlda(short n) {
    if (n < 1)
        n = 1;
    std::vector<char> block(XSQLDA_LENGTH(n), '\0');
    XSQLDA* d = reinterpret_cast<XSQLDA*>(block.data());
    d->version = SQLDA_VERSION1;
    d->sqln = n;
    return block;
}

}  // namespace

// ---- Attachment and transaction ----

TFbAttachment::TFbAttachment(const std::string& path, const std::string& user,
                             const std::string& password) {
    TDpb dpb;
    dpb.AddText(isc_dpb_user_name, user);
    dpb.AddText(isc_dpb_password, password);
    handle_ = TAttachmentHandle::Attach(path, dpb);
    dialect_ = static_cast<unsigned short>(handle_.DatabaseDialect());
}

TFbTransaction::TFbTransaction(TFbAttachment& attachment, bool readOnly)
    : attachment_(attachment), readOnly_(readOnly) {
    Start();
}

void TFbTransaction::Start() {
    const char tpb[] = {isc_tpb_version3, isc_tpb_concurrency, isc_tpb_wait,
                        char(readOnly_ ? isc_tpb_read : isc_tpb_write)};
    handle_ = TTransactionHandle::Start(attachment_.Handle(), std::string_view(tpb, sizeof tpb));
}

void TFbTransaction::Commit() {
    handle_.Commit();
}

void TFbTransaction::ExecuteImmediate(const std::string& sql) {
    TStatus st;
    isc_dsql_execute_immediate(st.get(), attachment_.Handle().get(), handle_.get(), 0, sql.c_str(),
                               attachment_.Dialect(), nullptr);
    Check(st);
}

// ---- Row images ----

int TFbRowLayout::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name)
            return int(i);
    return -1;
}

const TFbColumn& TFbRowLayout::At(std::string_view name) const {
    const int i = IndexOf(name);
    if (i < 0)
        throw TFbError("no column " + std::string(name));
    return columns[size_t(i)];
}

bool IsNull(const TFbColumn& column, const char* row) {
    short indicator;
    std::memcpy(&indicator, row + column.indOffset, sizeof indicator);
    return indicator == -1;
}

std::string_view TextOf(const TFbColumn& column, const char* row) {
    if (IsNull(column, row))
        return {};
    const char* data = row + column.dataOffset;
    if (column.type == SQL_TEXT)
        return {data, size_t(column.length)};
    if (column.type == SQL_VARYING) {
        unsigned short len;
        std::memcpy(&len, data, sizeof len);
        return {data + 2, len};
    }
    throw TFbError("column " + column.name + " is not text");
}

// ---- Statements ----

TFbStatement::TFbStatement(TFbTransaction& transaction, const std::string& sql)
    : transaction_(transaction) {
    TFbAttachment& attachment = transaction.Attachment();
    handle_ = TStatementHandle::Allocate(attachment.Handle());
    out_ = NewSqlda(1);
    TStatus st;
    isc_dsql_prepare(st.get(), transaction.Handle().get(), handle_.get(), 0, sql.c_str(),
                     attachment.Dialect(), Out());
    Check(st);
    Describe();
}

void TFbStatement::Describe() {
    const unsigned short dialect = transaction_.Attachment().Dialect();
    TStatus st;
    if (Out()->sqld > Out()->sqln) {
        out_ = NewSqlda(Out()->sqld);
        isc_dsql_describe(st.get(), handle_.get(), dialect, Out());
        Check(st);
    }
    const short columns = Out()->sqld;
    size_t at = 0;
    for (short i = 0; i < columns; ++i) {
        const XSQLVAR& v = Out()->sqlvar[i];
        TFbColumn c;
        c.name.assign(v.aliasname, size_t(v.aliasname_length));
        c.type = short(v.sqltype & ~1);
        c.length = v.sqllen;
        c.scale = v.sqlscale;
        c.subtype = v.sqlsubtype;
        c.dataOffset = at;
        at += AlignUp(size_t(v.sqllen) + (c.type == SQL_VARYING ? 2 : 0));
        c.indOffset = at;
        at += 8;
        layout_.columns.push_back(std::move(c));
    }
    layout_.words = at / 8;
    row_.assign(layout_.words, 0);
    char* base = reinterpret_cast<char*>(row_.data());
    for (short i = 0; i < columns; ++i) {
        XSQLVAR& v = Out()->sqlvar[i];
        v.sqltype = short(v.sqltype | 1);  // always with an indicator
        v.sqldata = base + layout_.columns[size_t(i)].dataOffset;
        v.sqlind = reinterpret_cast<short*>(base + layout_.columns[size_t(i)].indOffset);
    }

    in_ = NewSqlda(1);
    isc_dsql_describe_bind(st.get(), handle_.get(), dialect, In());
    Check(st);
    if (In()->sqld > In()->sqln) {
        in_ = NewSqlda(In()->sqld);
        isc_dsql_describe_bind(st.get(), handle_.get(), dialect, In());
        Check(st);
    }
    const short params = In()->sqld;
    inVars_.assign(In()->sqlvar, In()->sqlvar + params);
    slots_.resize(size_t(params));
}

void TFbStatement::SetText(size_t i, std::string_view bytes) {
    TSlot& s = slots_[i];
    XSQLVAR& v = In()->sqlvar[i];
    const short described = short(inVars_[i].sqltype & ~1);
    s.text.assign(bytes);
    s.indicator = 0;
    v.sqltype = SQL_TEXT | 1;
    v.sqllen = short(s.text.size());
    v.sqlscale = 0;
    v.sqlsubtype = (described == SQL_TEXT || described == SQL_VARYING) ? inVars_[i].sqlsubtype : 0;
    v.sqldata = s.text.data();
    v.sqlind = &s.indicator;
}

void TFbStatement::SetNull(size_t i) {
    TSlot& s = slots_[i];
    XSQLVAR& v = In()->sqlvar[i];
    v = inVars_[i];
    v.sqltype = short(v.sqltype | 1);
    s.text.assign(size_t(v.sqllen) + 8, '\0');
    s.indicator = -1;
    v.sqldata = s.text.data();
    v.sqlind = &s.indicator;
}

void TFbStatement::PointAtNumber(size_t i, short type, short length) {
    TSlot& s = slots_[i];
    XSQLVAR& v = In()->sqlvar[i];
    s.indicator = 0;
    v.sqltype = short(type | 1);
    v.sqllen = length;
    v.sqlscale = 0;
    v.sqlsubtype = 0;
    v.sqldata = reinterpret_cast<char*>(&s.number);
    v.sqlind = &s.indicator;
}

void TFbStatement::SetInteger(size_t i, int64_t value) {
    slots_[i].number = value;
    PointAtNumber(i, SQL_INT64, 8);
}

void TFbStatement::SetDouble(size_t i, double value) {
    std::memcpy(&slots_[i].number, &value, sizeof value);
    PointAtNumber(i, SQL_DOUBLE, 8);
}

void TFbStatement::SetDate(size_t i, int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    const short described = short(inVars_[i].sqltype & ~1);
    int64_t& number = slots_[i].number;
    if (described == SQL_TYPE_DATE) {
        ISC_DATE d;
        isc_encode_sql_date(&tm, &d);
        std::memcpy(&number, &d, sizeof d);
        PointAtNumber(i, SQL_TYPE_DATE, short(sizeof d));
    } else if (described == SQL_TIMESTAMP) {
        ISC_TIMESTAMP ts;
        isc_encode_timestamp(&tm, &ts);
        std::memcpy(&number, &ts, sizeof ts);
        PointAtNumber(i, SQL_TIMESTAMP, short(sizeof ts));
    } else {
        throw TFbError("parameter " + std::to_string(i) + " is not a date");
    }
}

void TFbStatement::Bind(size_t i, const TFbColumn& column, const char* row) {
    XSQLVAR& v = In()->sqlvar[i];
    v.sqltype = short(column.type | 1);
    v.sqllen = column.length;
    v.sqlscale = column.scale;
    v.sqlsubtype = column.subtype;
    v.sqldata = const_cast<char*>(row + column.dataOffset);
    v.sqlind = reinterpret_cast<short*>(const_cast<char*>(row + column.indOffset));
}

void TFbStatement::BindBlob(size_t i, const TFbColumn& column, const char* row,
                            const ISC_QUAD& blobId) {
    XSQLVAR& v = In()->sqlvar[i];
    v.sqltype = SQL_BLOB | 1;
    v.sqllen = short(sizeof(ISC_QUAD));
    v.sqlscale = 0;
    v.sqlsubtype = column.subtype;
    v.sqldata = reinterpret_cast<char*>(const_cast<ISC_QUAD*>(&blobId));
    v.sqlind = reinterpret_cast<short*>(const_cast<char*>(row + column.indOffset));
}

void TFbStatement::Execute() {
    CloseCursor();
    TStatus st;
    isc_dsql_execute(st.get(), transaction_.Handle().get(), handle_.get(),
                     transaction_.Attachment().Dialect(), inVars_.empty() ? nullptr : In());
    Check(st);
    cursorOpen_ = !layout_.columns.empty();
}

bool TFbStatement::Fetch() {
    TStatus st;
    const ISC_STATUS rc = isc_dsql_fetch(st.get(), handle_.get(), SQLDA_VERSION1, Out());
    if (rc == 100)
        return false;
    Check(st);
    return true;
}

void TFbStatement::CloseCursor() {
    if (!cursorOpen_)
        return;
    cursorOpen_ = false;
    handle_.CloseCursor();
}

// ---- Blobs ----

ISC_QUAD CopyBlob(TFbTransaction& from, const ISC_QUAD& id, TFbTransaction& to) {
    ISC_QUAD targetId{};
    TBlobHandle source = TBlobHandle::Open(from.Attachment().Handle(), from.Handle(), id);
    TBlobHandle target = TBlobHandle::Create(to.Attachment().Handle(), to.Handle(), targetId);
    char segment[32768];
    unsigned short got = 0;
    while (source.GetSegment(segment, sizeof segment, got))
        target.PutSegment(segment, got);
    source.Close();
    target.Close();
    return targetId;
}
