#pragma once
// Values for generated rows: optional values, dates and times in the database's own units.
// Date ranges are fixed calendar years, never today's date, so that a seed always gives the
// same rows.
//
// Determinism: the order in which C++ evaluates function arguments and the operands of "+"
// is unspecified, so an expression never holds two draws from one TRandom whose order is
// open. The elements of a braced list are evaluated in order; that is where rows are built.

#include "Random.h"
#include "Value.h"

// The value `make()` with probability percent / 100, NULL otherwise; `make` is only called
// when the value is present, after the draw that decides it.
template <typename F>
TValue Sometimes(TRandom& r, int percent, F make) {
    return r.Percent(percent) ? TValue(make()) : TValue();
}

TValue DateValue(int year, int month, int day);
// A day from 1 January of `fromYear` to 31 December of `toYear`.
TValue RandomDate(TRandom& r, int fromYear, int toYear);
// A day as above at a time between 07:00 and 21:59:59 (TIMESTAMP columns).
TValue RandomTimestamp(TRandom& r, int fromYear, int toYear);
// A time of day between 07:00 and 21:59:59 for a column that is TIME in dialect 3 and
// TIMESTAMP in dialect 1; there it carries the date 30 December 1899, as desktop programs
// store a bare time in a timestamp.
TValue RandomTimeOfDay(TRandom& r, int dialect);
// The day of a DATE or TIMESTAMP value plus `days`.
TValue AddDays(const TValue& date, int days);
