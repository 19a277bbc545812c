#include "SampleValues.h"

#include "DateTime.h"

namespace {

int32_t IscDays(int year, int month, int day) {
    return int32_t(DaysFromCivil(year, month, day) - kIscEpochDays);
}

uint32_t RandomUnits(TRandom& r) {
    return UnitsFromClock(int(r.Between(7, 21)), int(r.Below(60)), int(r.Below(60)), 0);
}

}  // namespace

TValue DateValue(int year, int month, int day) {
    return TValue::Date(IscDays(year, month, day));
}

TValue RandomDate(TRandom& r, int fromYear, int toYear) {
    return TValue::Date(int32_t(r.Between(IscDays(fromYear, 1, 1), IscDays(toYear, 12, 31))));
}

TValue RandomTimestamp(TRandom& r, int fromYear, int toYear) {
    const int32_t day = int32_t(r.Between(IscDays(fromYear, 1, 1), IscDays(toYear, 12, 31)));
    return TValue::Timestamp(day, RandomUnits(r));
}

TValue RandomTimeOfDay(TRandom& r, int dialect) {
    const uint32_t units = RandomUnits(r);
    return dialect == 1 ? TValue::Timestamp(IscDays(1899, 12, 30), units) : TValue::Time(units);
}

TValue AddDays(const TValue& date, int days) {
    if (date.Kind() == TValueKind::Timestamp)
        return TValue::Timestamp(date.DateDays() + days, date.TimeUnits());
    return TValue::Date(date.DateDays() + days);
}
