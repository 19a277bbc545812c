#include "Value.h"

#include <cmath>
#include <cstring>

#include "CodePage.h"
#include "Error.h"
#include "FormatSettings.h"

namespace {
int64_t Pow10(int n) {
    int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

[[noreturn]] void WrongKind(const char* wanted) {
    throw EConvertError(u"The value is not of the kind " + FromUtf8(wanted));
}
}  // namespace

bool TValue::FloatRep::operator==(const FloatRep& o) const {
    return std::memcmp(&v, &o.v, sizeof v) == 0;
}

int64_t TValue::IntegerValue() const {
    if (auto* i = std::get_if<int64_t>(&rep_))
        return *i;
    if (auto* s = std::get_if<ScaledRep>(&rep_))
        return s->v;
    WrongKind("integer");
}

int TValue::ScaleValue() const {
    if (auto* s = std::get_if<ScaledRep>(&rep_))
        return s->scale;
    return 0;
}

double TValue::FloatValue() const {
    if (auto* f = std::get_if<FloatRep>(&rep_))
        return f->v;
    WrongKind("floating point");
}

int32_t TValue::DateDays() const {
    if (auto* d = std::get_if<DateRep>(&rep_))
        return d->days;
    if (auto* t = std::get_if<TimestampRep>(&rep_))
        return t->days;
    WrongKind("date");
}

uint32_t TValue::TimeUnits() const {
    if (auto* t = std::get_if<TimeRep>(&rep_))
        return t->units;
    if (auto* t = std::get_if<TimestampRep>(&rep_))
        return t->units;
    WrongKind("time");
}

bool TValue::BooleanValue() const {
    if (auto* b = std::get_if<bool>(&rep_))
        return *b;
    WrongKind("Boolean");
}

const Text& TValue::TextValue() const {
    if (auto* t = std::get_if<Text>(&rep_))
        return *t;
    WrongKind("text");
}

const std::string& TValue::BytesValue() const {
    if (auto* b = std::get_if<BytesRep>(&rep_))
        return b->bytes;
    WrongKind("bytes");
}

Text TValue::ToText() const {
    switch (Kind()) {
        case TValueKind::Null:
            return Text();
        case TValueKind::Integer:
            return IntToText(IntegerValue());
        case TValueKind::Scaled:
            return ScaledToText(IntegerValue(), ScaleValue());
        case TValueKind::Float:
            return FloatToText(FloatValue());
        case TValueKind::Date:
            return DateToText(CivilFromDays(DateDays() + kIscEpochDays));
        case TValueKind::Time:
            return TimeToText(ClockFromUnits(TimeUnits()));
        case TValueKind::Timestamp:
            return DateTimeToText(CivilFromDays(DateDays() + kIscEpochDays),
                                  ClockFromUnits(TimeUnits()));
        case TValueKind::Boolean:
            return BooleanValue() ? u"True" : u"False";
        case TValueKind::Text:
            return TextValue();
        case TValueKind::Bytes:
            return DecodeCp1252(BytesValue());
    }
    return Text();
}

double TValue::ToFloat() const {
    switch (Kind()) {
        case TValueKind::Null:
            return 0;
        case TValueKind::Integer:
            return double(IntegerValue());
        case TValueKind::Scaled:
            return double(IntegerValue()) / double(Pow10(-ScaleValue()));
        case TValueKind::Float:
            return FloatValue();
        case TValueKind::Date:
            return double(DateDays() + kIscEpochDays - kNumericEpochDays);
        case TValueKind::Time:
            return double(TimeUnits()) / kTimeUnitsPerDay;
        case TValueKind::Timestamp:
            return double(DateDays() + kIscEpochDays - kNumericEpochDays) +
                   double(TimeUnits()) / kTimeUnitsPerDay;
        case TValueKind::Boolean:
            return BooleanValue() ? 1 : 0;
        case TValueKind::Text:
        case TValueKind::Bytes: {
            Text t = ToText();
            double d;
            if (!TryTextToFloat(t, d))
                throw EConvertError(u"'" + t + u"' is not a valid floating point value");
            return d;
        }
    }
    return 0;
}

int64_t TValue::ToInteger() const {
    switch (Kind()) {
        case TValueKind::Null:
            return 0;
        case TValueKind::Integer:
            return IntegerValue();
        case TValueKind::Scaled: {
            // Exact: round half away from zero on the unscaled integer.
            int64_t p = Pow10(-ScaleValue());
            int64_t v = IntegerValue(), q = v / p, r = v % p;
            if (2 * (r < 0 ? -r : r) >= p)
                q += v < 0 ? -1 : 1;
            return q;
        }
        case TValueKind::Text:
        case TValueKind::Bytes: {
            Text t = ToText();
            int64_t i;
            if (!TryTextToInt(t, i))
                throw EConvertError(u"'" + t + u"' is not a valid integer value");
            return i;
        }
        default:
            return std::llround(ToFloat());
    }
}

std::string DebugString(const TValue& v) {
    static const char* kNames[] = {"Null", "Integer",   "Scaled",  "Float", "Date",
                                   "Time", "Timestamp", "Boolean", "Text",  "Bytes"};
    std::string s = kNames[int(v.Kind())];
    switch (v.Kind()) {
        case TValueKind::Null:
            return s;
        case TValueKind::Bytes:
            return s + "(" + std::to_string(v.BytesValue().size()) + " bytes)";
        case TValueKind::Scaled:
            return s + "(" + std::to_string(v.IntegerValue()) + "e" +
                   std::to_string(v.ScaleValue()) + ")";
        case TValueKind::Float: {
            char buf[40];
            snprintf(buf, sizeof buf, "%.17g", v.FloatValue());
            return s + "(" + buf + ")";
        }
        case TValueKind::Timestamp:
            return s + "(" + std::to_string(v.DateDays()) + "," + std::to_string(v.TimeUnits()) +
                   ")";
        default:
            return s + "(" + ToUtf8(v.ToText()) + ")";
    }
}
