#pragma once
// The user's regional settings and the number and date texts made from them.
//
// One settings object serves the whole program. By default it is read once from the user's
// regional settings (FromProcessLocale: the process locale on POSIX, the user's locale on
// Windows, see RegionalSettings.h); tests and tools set it explicitly with SetFormatSettings.

#include <cstdint>

#include "DateTime.h"
#include "Text.h"

struct TFormatSettings {
    char16_t DecimalSeparator = u',';
    char16_t DateSeparator = u'/';
    char16_t TimeSeparator = u':';
    // Day, month and year tokens; "/" stands for DateSeparator.
    Text ShortDateFormat = u"dd/mm/yyyy";

    static TFormatSettings BrazilianPortuguese();
    static TFormatSettings FromProcessLocale();
};

const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

// General number format: at most 15 significant digits, no trailing zeros, plain notation for
// magnitudes from 0.0001 up to (not including) 1E15 and for zero, else d.dddE[-]x.
Text FormatGeneral(double value, char16_t decimalSeparator);
// FormatGeneral with the regional decimal separator.
Text FloatToText(double value);
// An exact decimal of `value` * 10^scale (scale <= 0), trailing zeros dropped, regional
// decimal separator.
Text ScaledToText(int64_t value, int scale);

// Pattern tokens (any letter case): d dd m mm yy yyyy h hh n nn s ss z zzz; "/" is the date
// separator, ":" the time separator; other characters are copied.
Text FormatDateTime(TextView pattern, const TCivilDate& date, const TClockTime& time = {});
Text DateToText(const TCivilDate& date);
Text TimeToText(const TClockTime& time);
// Date, and the time after a blank unless it is midnight.
Text DateTimeToText(const TCivilDate& date, const TClockTime& time);

// Reads a date in the short date format's order (day, month, year for dd/mm/yyyy), with the
// date separator, optionally followed by a blank and a time h:n[:s[.z]].
bool TryParseDateTime(TextView text, TCivilDate& date, TClockTime& time);
bool TryParseTime(TextView text, TClockTime& time);

// Decimal integer, optional sign, surrounding blanks allowed.
bool TryTextToInt(TextView text, int64_t& value);
// A number written with the regional decimal separator (an exponent is allowed).
bool TryTextToFloat(TextView text, double& value);
