// The regional settings as Windows reports them (GetLocaleInfoEx), and the dates and numbers
// the system writes and reads with them. `make test-windows` runs this under Wine as a pt-BR
// user.
#include <gtest/gtest.h>

#include <windows.h>

#include "RegionalSettings.h"

namespace {

struct TLocaleCase {
    const wchar_t* locale;
    char16_t decimalSeparator;
    char16_t dateSeparator;
    const char16_t* date;    // 25 December 2026 in the short date format
    const char16_t* number;  // 1234.5
};

class RegionalSettings : public ::testing::Test {
  protected:
    ~RegionalSettings() override { SetFormatSettings(TFormatSettings::BrazilianPortuguese()); }
};

TEST_F(RegionalSettings, WindowsLocalesGiveTheirSeparatorsAndDateOrder) {
    const TLocaleCase cases[] = {
        {L"pt-BR", u',', u'/', u"25/12/2026", u"1234,5"},
        {L"de-DE", u',', u'.', u"25.12.2026", u"1234,5"},
        {L"en-US", u'.', u'/', u"12/25/2026", u"1234.5"},
        {L"ja-JP", u'.', u'/', u"2026/12/25", u"1234.5"},
    };
    // Two-digit days and months: whether a pattern pads them (Windows and Wine differ for
    // some locales) does not show.
    for (const TLocaleCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "locale " << ToUtf8(Text(c.locale, c.locale + wcslen(c.locale))));
        const TFormatSettings fs = WindowsLocaleSettings(c.locale);
        EXPECT_EQ(fs.DecimalSeparator, c.decimalSeparator);
        EXPECT_EQ(fs.DateSeparator, c.dateSeparator);
        SetFormatSettings(fs);
        EXPECT_EQ(DateToText({2026, 12, 25}), c.date);
        EXPECT_EQ(FloatToText(1234.5), c.number);
        // What the system writes, it reads back.
        TCivilDate date;
        TClockTime time;
        ASSERT_TRUE(TryParseDateTime(c.date, date, time));
        EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 20261225);
        double value = 0;
        ASSERT_TRUE(TryTextToFloat(c.number, value));
        EXPECT_EQ(value, 1234.5);
    }
}

// The program's default settings are the user's; under `make test-windows` the user is pt-BR.
TEST_F(RegionalSettings, TheUsersLocaleIsTheDefault) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
    if (std::wstring(name) != L"pt-BR")
        GTEST_SKIP() << "the user's locale is not pt-BR";
    const TFormatSettings fs = TFormatSettings::FromProcessLocale();
    EXPECT_EQ(fs.DecimalSeparator, u',');
    EXPECT_EQ(fs.DateSeparator, u'/');
    SetFormatSettings(fs);
    EXPECT_EQ(DateToText({2027, 3, 5}), u"05/03/2027");
    EXPECT_EQ(FloatToText(-0.25), u"-0,25");
}

}  // namespace
