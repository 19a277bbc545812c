#pragma once
// TValue: the general value of a field or parameter, tagged by kind.
//
// Numbers keep their exact form: integers as 64-bit integers, scaled decimals as an integer
// with a (non-positive) decimal scale, never through double. Dates and times keep the
// database's own units (days since 1858-11-17, 1/10000 s). Text is UTF-16; bytes are the
// content of a binary large object.

#include <cstdint>
#include <string>
#include <variant>

#include "Text.h"

enum class TValueKind { Null, Integer, Scaled, Float, Date, Time, Timestamp, Boolean, Text, Bytes };

class TValue {
  public:
    TValue() = default;  // NULL

    static TValue Integer(int64_t v) { return TValue(v); }
    static TValue Scaled(int64_t v, int scale) { return TValue(ScaledRep{v, scale}); }
    static TValue Float(double v) { return TValue(v); }
    static TValue Date(int32_t iscDays) { return TValue(DateRep{iscDays}); }
    static TValue Time(uint32_t units) { return TValue(TimeRep{units}); }
    static TValue Timestamp(int32_t iscDays, uint32_t units) {
        return TValue(TimestampRep{iscDays, units});
    }
    static TValue Boolean(bool v) { return TValue(v); }
    static TValue FromText(Text v) { return TValue(std::move(v)); }
    static TValue Bytes(std::string v) { return TValue(BytesRep{std::move(v)}); }

    TValueKind Kind() const { return TValueKind(rep_.index()); }
    bool IsNull() const { return Kind() == TValueKind::Null; }

    // Accessors of the stored representation; each requires the matching kind.
    int64_t IntegerValue() const;  // Integer, or the unscaled integer of Scaled
    int ScaleValue() const;        // 0 for Integer
    double FloatValue() const;
    int32_t DateDays() const;    // Date and Timestamp
    uint32_t TimeUnits() const;  // Time and Timestamp
    bool BooleanValue() const;
    const Text& TextValue() const;
    const std::string& BytesValue() const;

    // The value as text, as a field's AsString gives it: NULL is empty, numbers in the
    // general format with the regional decimal separator, dates in the short date format,
    // Booleans as True/False, bytes decoded in the default code page.
    Text ToText() const;
    // The value as a number (NULL is 0); text is read as a decimal number and fails with a
    // conversion error when it is none.
    double ToFloat() const;
    int64_t ToInteger() const;

    // Same kind and same stored representation, bit for bit.
    bool operator==(const TValue& other) const { return rep_ == other.rep_; }

  private:
    struct ScaledRep {
        int64_t v;
        int scale;
        bool operator==(const ScaledRep&) const = default;
    };
    struct DateRep {
        int32_t days;
        bool operator==(const DateRep&) const = default;
    };
    struct TimeRep {
        uint32_t units;
        bool operator==(const TimeRep&) const = default;
    };
    struct TimestampRep {
        int32_t days;
        uint32_t units;
        bool operator==(const TimestampRep&) const = default;
    };
    struct BytesRep {
        std::string bytes;
        bool operator==(const BytesRep&) const = default;
    };
    struct FloatRep {
        double v;
        // Bit-exact comparison, so that NaN and -0 compare as stored.
        bool operator==(const FloatRep& o) const;
    };
    using Rep = std::variant<std::monostate, int64_t, ScaledRep, FloatRep, DateRep, TimeRep,
                             TimestampRep, bool, Text, BytesRep>;

    explicit TValue(int64_t v) : rep_(v) {}
    explicit TValue(double v) : rep_(FloatRep{v}) {}
    explicit TValue(bool v) : rep_(v) {}
    explicit TValue(Text v) : rep_(std::move(v)) {}
    explicit TValue(ScaledRep v) : rep_(v) {}
    explicit TValue(DateRep v) : rep_(v) {}
    explicit TValue(TimeRep v) : rep_(v) {}
    explicit TValue(TimestampRep v) : rep_(v) {}
    explicit TValue(BytesRep v) : rep_(std::move(v)) {}

    Rep rep_;
};

// Readable names for test failure messages.
std::string DebugString(const TValue& v);
