// Binding parameter values to a prepared statement's placeholders.
//
// A value is sent in its own exact form whenever the target column is not text: integers and
// scaled decimals as 64-bit integers with their scale, floating point as double, dates and
// times in the database's units, so the server converts to the column's type (and refuses with
// its own message when it cannot). Text goes to text columns as bytes of the default code
// page, to large objects as their content, and to date and time columns as a date read in
// the short date format; an empty text for any non-text column is NULL.
#include <cstring>

#include "CodePage.h"
#include "FormatSettings.h"
#include "Impl.h"

namespace {

// Where a parameter's new blob is written.
struct TBlobTarget {
    TAttachmentHandle& attachment;
    TTransactionHandle& transaction;
};

struct TSlot {
    XSQLVAR& var;
    std::string& buffer;
    short& indicator;
    const TColumn& column;
};

void SetNull(TSlot s) {
    s.var.sqltype = short(s.column.type | 1);
    s.var.sqlscale = s.column.scale;
    s.var.sqlsubtype = s.column.subtype;
    s.var.sqllen = s.column.length;
    s.buffer.assign(size_t(std::max<short>(s.column.length, 8)) + 2, '\0');
    s.var.sqldata = s.buffer.data();
    s.indicator = -1;
    s.var.sqlind = &s.indicator;
}

template <typename T>
void SetNative(TSlot s, short type, const T& value, short scale = 0) {
    s.var.sqltype = short(type | 1);
    s.var.sqlscale = scale;
    s.var.sqlsubtype = 0;
    s.var.sqllen = short(sizeof(T));
    s.buffer.resize(sizeof(T) < 8 ? 8 : sizeof(T));
    std::memcpy(s.buffer.data(), &value, sizeof(T));
    s.var.sqldata = s.buffer.data();
    s.indicator = 0;
    s.var.sqlind = &s.indicator;
}

void SetBytesAsText(TSlot s, std::string bytes, short charset) {
    if (bytes.size() > 32767)
        throw EDatabaseError(u"A text of " + IntToText(int64_t(bytes.size())) +
                             u" bytes is too long for a text parameter");
    s.var.sqltype = SQL_TEXT | 1;
    s.var.sqlscale = 0;
    s.var.sqlsubtype = charset;
    s.var.sqllen = short(bytes.size());
    s.buffer = std::move(bytes);
    s.var.sqldata = s.buffer.data();
    s.indicator = 0;
    s.var.sqlind = &s.indicator;
}

void SetBlob(TSlot s, TBlobTarget& target, const std::string& content) {
    ISC_QUAD id{};
    TBlobHandle blob = TBlobHandle::Create(target.attachment, target.transaction, id);
    constexpr size_t kSegment = 32768;
    for (size_t at = 0; at < content.size(); at += kSegment) {
        size_t n = std::min(kSegment, content.size() - at);
        blob.PutSegment(content.data() + at, static_cast<unsigned short>(n));
    }
    blob.Close();
    SetNative(s, SQL_BLOB, id);
    s.var.sqlsubtype = s.column.subtype;
}

bool IsTextType(short t) {
    return t == SQL_TEXT || t == SQL_VARYING;
}
bool IsDateType(short t) {
    return t == SQL_TYPE_DATE || t == SQL_TYPE_TIME || t == SQL_TIMESTAMP;
}

void SetTimestamp(TSlot s, int32_t days, uint32_t units, bool dialect1) {
    if (s.column.type == SQL_TYPE_TIME) {
        SetNative(s, SQL_TYPE_TIME, ISC_TIME(units));
    } else if (s.column.type == SQL_TYPE_DATE && !dialect1) {
        SetNative(s, SQL_TYPE_DATE, ISC_DATE(days));
    } else {
        ISC_TIMESTAMP ts{days, units};
        SetNative(s, SQL_TIMESTAMP, ts);
    }
}

void BindText(TSlot s, const Text& text, TBlobTarget& blobs, bool dialect1) {
    const short type = s.column.type;
    if (IsTextType(type))
        return SetBytesAsText(s, EncodeCp1252(text), s.column.subtype);
    if (type == SQL_BLOB)
        return SetBlob(s, blobs, EncodeCp1252(text));
    if (text.empty())
        return SetNull(s);
    if (IsDateType(type)) {
        TCivilDate d;
        TClockTime t;
        if (type == SQL_TYPE_TIME) {
            if (!TryParseTime(Trim(text), t))
                throw EConvertError(u"'" + text + u"' is not a valid time");
        } else if (!TryParseDateTime(text, d, t)) {
            throw EConvertError(u"'" + text + u"' is not a valid date and time");
        }
        return SetTimestamp(s, int32_t(DaysFromCivil(d.year, d.month, d.day) - kIscEpochDays),
                            UnitsFromClock(t.hour, t.minute, t.second, t.fraction), dialect1);
    }
    // Numbers and Booleans: the server converts the text and refuses what it cannot read.
    SetBytesAsText(s, EncodeCp1252(text), 0);
}

}  // namespace

void TIBQuery::Impl::Bind() {
    TPreparation& p = *prepared;
    XSQLDA* in = p.In();
    TBlobTarget blobs{ImplOf(*database).attachment, ImplOf(*transaction).handle};
    const bool dialect1 = database->SQLDialect() == 1;
    for (size_t i = 0; i < p.inColumns.size(); ++i) {
        TSlot s{in->sqlvar[i], p.inBuffers[i], p.inIndicators[i], p.inColumns[i]};
        static const TValue kNull;
        const TValue& v = i < params.size() ? params[i]->Value() : kNull;
        const short type = s.column.type;
        switch (v.Kind()) {
            case TValueKind::Null:
                SetNull(s);
                break;
            case TValueKind::Text:
                BindText(s, v.TextValue(), blobs, dialect1);
                break;
            case TValueKind::Bytes:
                if (type == SQL_BLOB)
                    SetBlob(s, blobs, v.BytesValue());
                else
                    SetBytesAsText(s, v.BytesValue(), IsTextType(type) ? s.column.subtype : 0);
                break;
            default:
                if (IsTextType(type) || type == SQL_BLOB) {
                    BindText(s, v.ToText(), blobs, dialect1);
                    break;
                }
                switch (v.Kind()) {
                    case TValueKind::Integer:
                        SetNative(s, SQL_INT64, v.IntegerValue());
                        break;
                    case TValueKind::Scaled:
                        SetNative(s, SQL_INT64, v.IntegerValue(), short(v.ScaleValue()));
                        break;
                    case TValueKind::Float:
                        SetNative(s, SQL_DOUBLE, v.FloatValue());
                        break;
                    case TValueKind::Date:
                        if (dialect1 || type == SQL_TIMESTAMP)
                            SetNative(s, SQL_TIMESTAMP, ISC_TIMESTAMP{v.DateDays(), 0});
                        else
                            SetNative(s, SQL_TYPE_DATE, ISC_DATE(v.DateDays()));
                        break;
                    case TValueKind::Time:
                        SetNative(s, SQL_TYPE_TIME, ISC_TIME(v.TimeUnits()));
                        break;
                    case TValueKind::Timestamp:
                        SetNative(s, SQL_TIMESTAMP, ISC_TIMESTAMP{v.DateDays(), v.TimeUnits()});
                        break;
                    case TValueKind::Boolean:
                        SetNative(s, SQL_BOOLEAN, static_cast<unsigned char>(v.BooleanValue()));
                        break;
                    default:
                        throw EDatabaseError(u"A parameter of this kind cannot be bound");
                }
        }
    }
}
