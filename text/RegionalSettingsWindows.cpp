// The user's regional settings on Windows: what the control panel's regional settings hold,
// read with GetLocaleInfoEx, not the C runtime's locale (which stays "C" and would give '.').
#include <windows.h>

#include <string>

#include "RegionalSettings.h"

namespace {

std::wstring LocaleText(const wchar_t* localeName, LCTYPE item) {
    wchar_t buffer[128];
    const int length = GetLocaleInfoEx(localeName, item, buffer, int(std::size(buffer)));
    return length > 1 ? std::wstring(buffer, size_t(length - 1)) : std::wstring();
}

char16_t FirstOf(const std::wstring& text, char16_t fallback) {
    return text.empty() ? fallback : char16_t(text[0]);
}

// Windows writes the separator itself into the pattern ("dd/MM/yyyy", "dd.MM.yyyy"); in the
// settings' pattern "/" stands for the date separator. The d, M and y tokens read the same.
Text ShortDatePattern(const std::wstring& pattern, char16_t separator) {
    Text result;
    for (wchar_t c : pattern)
        result.push_back(char16_t(c) == separator ? u'/' : char16_t(c));
    return result;
}

}  // namespace

TFormatSettings WindowsLocaleSettings(const wchar_t* localeName) {
    TFormatSettings fs = TFormatSettings::BrazilianPortuguese();
    fs.DecimalSeparator = FirstOf(LocaleText(localeName, LOCALE_SDECIMAL), fs.DecimalSeparator);
    fs.DateSeparator = FirstOf(LocaleText(localeName, LOCALE_SDATE), fs.DateSeparator);
    fs.TimeSeparator = FirstOf(LocaleText(localeName, LOCALE_STIME), fs.TimeSeparator);
    const std::wstring pattern = LocaleText(localeName, LOCALE_SSHORTDATE);
    if (!pattern.empty())
        fs.ShortDateFormat = ShortDatePattern(pattern, fs.DateSeparator);
    return fs;
}

TFormatSettings TFormatSettings::FromProcessLocale() {
    return WindowsLocaleSettings(LOCALE_NAME_USER_DEFAULT);
}
