#pragma once
// Calendar arithmetic shared by the database layer and the toolkit.
//
// Day numbers here count from 1970-01-01 (day 0). The database keeps dates as days since
// 1858-11-17 and times in units of 1/10000 s; the date-time as a number (as the toolkit's
// formats use it) counts days from 1899-12-30 with the time as the fraction.

#include <cstdint>

struct TCivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
};

struct TClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int fraction = 0;  // 1/10000 s
};

constexpr int64_t kIscEpochDays = -40587;      // 1858-11-17
constexpr int64_t kNumericEpochDays = -25569;  // 1899-12-30
constexpr uint32_t kTimeUnitsPerDay = 864000000u;

int64_t DaysFromCivil(int year, int month, int day);
TCivilDate CivilFromDays(int64_t days);
bool IsValidDate(int year, int month, int day);

TClockTime ClockFromUnits(uint32_t units);
uint32_t UnitsFromClock(int hour, int minute, int second, int fraction);
