#pragma once
// Today's date and the time of day, from the system clock, or fixed by tests.

#include "DateTime.h"

struct TNow {
    TCivilDate date;
    TClockTime time;
};

TNow Now();
inline TCivilDate Today() {
    return Now().date;
}

// Fixes the clock at `now` until ResetClock (tests only).
void FixClock(const TNow& now);
void ResetClock();
