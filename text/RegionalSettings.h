#pragma once
// Where the user's regional settings come from: one platform file per system.
//
// TFormatSettings::FromProcessLocale (FormatSettings.h) is defined in RegionalSettingsPosix.cpp
// (the process locale) or RegionalSettingsWindows.cpp (the user's locale, GetLocaleInfoEx:
// decimal separator, date separator, time separator and short date format).

#include "FormatSettings.h"

#ifdef _WIN32
// The settings of the Windows locale `localeName` ("pt-BR"; nullptr for the user's locale),
// with the user's own changes when it is the user's locale. A setting the system does not
// report keeps its Brazilian Portuguese value.
TFormatSettings WindowsLocaleSettings(const wchar_t* localeName);
#endif
