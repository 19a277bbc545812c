// Fetching rows into memory, packed, and decoding a packed column's value.
#include <algorithm>
#include <cstring>

#include "CodePage.h"
#include "Impl.h"

namespace {

template <typename T>
T Load(std::string_view bytes) {
    T v{};
    std::memcpy(&v, bytes.data(), std::min(sizeof v, bytes.size()));
    return v;
}

TValue Numeric(int64_t v, short scale) {
    return scale < 0 ? TValue::Scaled(v, scale) : TValue::Integer(v);
}

// The database's value of a column, as packed in a fetched row.
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

std::string_view ColumnBytes(const std::string& row, size_t column, bool& isNull) {
    uint32_t begin, end;
    std::memcpy(&begin, row.data() + column * sizeof begin, sizeof begin);
    std::memcpy(&end, row.data() + (column + 1) * sizeof end, sizeof end);
    isNull = row[begin] == '\0';
    return std::string_view(row).substr(begin + 1, end - begin - 1);
}

std::string ReadBlob(TAttachmentHandle& attachment, TTransactionHandle& transaction, ISC_QUAD id) {
    TBlobHandle blob = TBlobHandle::Open(attachment, transaction, id);
    std::string content;
    char segment[65535];
    unsigned short got = 0;
    while (blob.GetSegment(segment, sizeof segment, got))
        content.append(segment, got);
    blob.Close();
    return content;
}

}  // namespace

bool TIBQuery::Impl::FetchOne() {
    if (allFetched || !cursorOpen)
        return false;
    TStatus st;
    XSQLDA* out = prepared->Out();
    ISC_STATUS rc = isc_dsql_fetch(st.get(), prepared->statement.get(), SQLDA_VERSION1, out);
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
        if (prepared->outIndicators[i] < 0) {
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
    prepared->statement.CloseCursorQuietly();
    cursorOpen = false;
}

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
    const TColumn& c = OutColumns()[column];
    if (c.type == SQL_BLOB) {
        // Fetched rows live only while the query is open, that is while the transaction that
        // the identifier belongs to is in progress.
        ISC_QUAD id;
        std::memcpy(&id, bytes.data(), sizeof id);
        return DecodeColumn(
            c, ReadBlob(ImplOf(*database).attachment, ImplOf(*transaction).handle, id));
    }
    return DecodeColumn(c, bytes);
}
