#include <gtest/gtest.h>

#include "Clock.h"
#include "FormatSettings.h"
#include "classConversao.h"

namespace {

class Formats : public ::testing::Test {
  protected:
    void SetUp() override {
        SetFormatSettings(TFormatSettings::BrazilianPortuguese());
        FixClock({{2026, 12, 9}, {15, 30, 0, 0}});
    }
    void TearDown() override {
        ResetClock();
        SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    }
};

TEST_F(Formats, ValidaDataRewritesAndStoresTheResult) {
    struct Case {
        Text input;
        Text expected;
    };
    const Case cases[] = {
        {u"", u"09/12/2026"},
        {u"  -   -", u"09/12/2026"},
        {u"31/01/2020", u"31.01.2020"},
        {u"2020-01-31", u"2020.01.31"},
        {u"31.01.2020", u"31.01.2020"},
        {u"31-01/2020", u"31-01.2020"},  // "/" wins, the hyphen stays
        {u"43861", u"31/01/2020"},
        {u"43861,75", u"31/01/2020"},
        {u"0", u"30/12/1899"},
        {u"0,5", u"30/12/1899"},
        {u"4,3861E4", u"31/01/2020"},
        {u"2958465,99", u"31/12/9999"},
        {u"-1,5", u".1,5"},  // a sign is a hyphen: never read as a number
        {u"2958466", u""},
        {u"99999999", u""},
        {u"abc", u""},
        {u" ", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + ToUtf8(c.input) + "\"");
        Text data = c.input;
        const Text result = TConversao::FValidaData(data);
        EXPECT_EQ(ToUtf8(result), ToUtf8(c.expected));
        EXPECT_EQ(data, result);
    }
}

TEST_F(Formats, ValidaDataFollowsTheRegionalSettings) {
    TFormatSettings fs;
    fs.DecimalSeparator = u'.';
    fs.DateSeparator = u'-';
    fs.ShortDateFormat = u"mm/dd/yyyy";
    SetFormatSettings(fs);

    Text vazio;
    EXPECT_EQ(TConversao::FValidaData(vazio), u"12-09-2026");
    // The day count is always written day first, with the regional separator.
    Text numero = u"43861";
    EXPECT_EQ(TConversao::FValidaData(numero), u"31-01-2020");
    // With a comma as the text's separator the number cannot be read.
    Text virgula = u"43861,5";
    EXPECT_EQ(TConversao::FValidaData(virgula), u"");
}

TEST_F(Formats, TrataOrdemData) {
    EXPECT_EQ(TConversao::TrataOrdemData(u"20200131"), u"31/01/2020");
    EXPECT_EQ(TConversao::TrataOrdemData(u"2020"), u"//2020");
    EXPECT_EQ(TConversao::TrataOrdemData(u"2020013"), u"3/01/2020");
    EXPECT_EQ(TConversao::TrataOrdemData(u""), u"//");
    TFormatSettings fs;
    fs.DateSeparator = u'-';
    SetFormatSettings(fs);
    EXPECT_EQ(TConversao::TrataOrdemData(u"20200131"), u"31/01/2020");
}

TEST_F(Formats, ValidaTelefone) {
    struct Case {
        Text input;
        Text expected;
    };
    const Case cases[] = {
        {u"031 3333-4444", u"3133334444"},
        {u"3333-4444", u"3133334444"},
        {u"0 800 123 4567", u"8001234567"},
        {u"(031) 3333-4444", u"(031)33334444"},
        {u"000", u""},
        {u"", u""},
        {u"0 0123", u"123"},  // a zero behind a blank survives until the last step
        {u" 31.3333.4444 ", u"3133334444"},
        {u"+55 31 3333-4444", u"+553133334444"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + ToUtf8(c.input) + "\"");
        EXPECT_EQ(ToUtf8(TConversao::FValidaTelefone(c.input)), ToUtf8(c.expected));
    }
}

TEST_F(Formats, DecimalAndSlashSeparators) {
    struct Case {
        Text (*fn)(Text);
        Text input;
        Text expected;
    };
    const Text tail(60, u'9');
    const Case cases[] = {
        {TConversao::FBarraPonto, u"01/02/2020", u"01.02.2020"},
        {TConversao::FBarraPonto, u" 12 ", u" 12 "},
        {TConversao::FBarraPonto, u" 01/02 ", u"01.02"},
        {TConversao::FBarraPonto, u"1/" + tail, u"1." + tail.substr(0, 50)},
        {TConversao::FVirgulaPonto, u"1234,56", u"1234.56"},
        {TConversao::FVirgulaPonto, u"1.234,56", u"1.234.56"},
        {TConversao::FVirgulaPonto, u"", u"0.00"},
        {TConversao::FVirgulaPonto, u"   ", u"   "},
        {TConversao::FVirgulaPonto, u"0," + tail, u"0." + tail.substr(0, 50)},
        {TConversao::FPontoVirgula, u"1234.56", u"1234,56"},
        {TConversao::FPontoVirgula, u"1,234.56", u"1,234,56"},
        {TConversao::FPontoVirgula, u"", u"0,00"},
        {TConversao::FPontoVirgula, u"1. 5", u"1, 5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + ToUtf8(c.input) + "\"");
        EXPECT_EQ(ToUtf8(c.fn(c.input)), ToUtf8(c.expected));
    }
}

}  // namespace
