#include <gtest/gtest.h>

#include "CodePage.h"
#include "Error.h"
#include "FormatSettings.h"
#include "StringList.h"
#include "Text.h"

TEST(Text, CaseAndTrimAreAsciiOnly) {
    EXPECT_EQ(AsciiUpper(T("ação x")), T("AçãO X"));
    EXPECT_EQ(AsciiLower(T("ÉA")), T("Éa"));
    EXPECT_EQ(Trim(Text(u"\t\r\n a b\x01 ")), u"a b");
    EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");  // a no-break space is above U+0020
    EXPECT_TRUE(SameText(u"CodClasFis", u"CODCLASFIS"));
    EXPECT_FALSE(SameText(T("é"), T("É")));
}

TEST(Text, CopyAndPosCountFromOne) {
    EXPECT_EQ(Copy(u"ABCDEFGH", 3, 4), u"CDEF");
    EXPECT_EQ(Copy(u"AB", 3, 4), u"");
    EXPECT_EQ(Copy(u"ABC", 3, 4), u"C");
    EXPECT_EQ(Pos(u"-", u"a-b-"), 2u);
    EXPECT_EQ(Pos(u"x", u"abc"), 0u);
}

TEST(CodePage, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    Text decoded = DecodeCp1252(all);
    EXPECT_EQ(EncodeCp1252(decoded), all);
    EXPECT_EQ(decoded[0x80], u'\u20AC');
    for (int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(decoded[size_t(undefined)], char16_t(undefined));
    EXPECT_EQ(decoded[0xE7], u'ç');
}

TEST(CodePage, CharacterOutsideTheCodePageIsAnError) {
    EXPECT_THROW(EncodeCp1252(u"a\u4E2Db"), EConvertError);
    try {
        EncodeCp1252(u"a\u4E2Db");
    } catch (const EError& e) {
        EXPECT_NE(e.Message().find(u"U+4E2D"), Text::npos);
    }
}

TEST(StringList, ValuesByNameIgnoreCaseAndSkipBareLines) {
    TStringList l;
    l.Add(u"CLIENTES");
    l.Add(u"clientes=S");
    l.Add(u"PRODUTOS= S");
    EXPECT_EQ(l.Value(u"CLIENTES"), u"S");
    EXPECT_EQ(l.Value(u"PRODUTOS"), u" S");
    EXPECT_EQ(l.Value(u"FORNECEDORES"), u"");
    l.SetValue(u"NOME", u"X");
    EXPECT_EQ(l.Count(), 4u);
    l.SetValue(u"nome", u"Y");
    EXPECT_EQ(l[3], u"nome=Y");
    l.SetValue(u"NOME", u"");
    EXPECT_EQ(l.Count(), 3u);
}

TEST(FormatSettings, GeneralNumberFormat) {
    struct Case {
        double v;
        const char16_t* text;
    } cases[] = {{0, u"0"},           {12.5, u"12.5"},        {1000000, u"1000000"},
                 {-3, u"-3"},         {0.0001, u"0.0001"},    {0.00005, u"5E-5"},
                 {1.5e15, u"1.5E15"}, {1e15, u"1E15"},        {999999999999999, u"999999999999999"},
                 {0.1 + 0.2, u"0.3"}, {-1.25e-7, u"-1.25E-7"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatGeneral(c.v, u'.'), c.text) << c.v;
    EXPECT_EQ(FormatGeneral(2.5, u','), u"2,5");
}

TEST(FormatSettings, ScaledDecimalsAreExact) {
    SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    EXPECT_EQ(ScaledToText(150, -2), u"1,5");
    EXPECT_EQ(ScaledToText(-5, -3), u"-0,005");
    EXPECT_EQ(ScaledToText(INT64_MIN, -4), u"-922337203685477,5808");
    EXPECT_EQ(ScaledToText(100, -2), u"1");
}

TEST(FormatSettings, DatesInTheShortDateFormat) {
    SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    EXPECT_EQ(DateToText({2026, 12, 9}), u"09/12/2026");
    EXPECT_EQ(DateTimeToText({2026, 12, 9}, {13, 5, 7, 0}), u"09/12/2026 13:05:07");
    TCivilDate d;
    TClockTime t;
    ASSERT_TRUE(TryParseDateTime(u"31/01/2020", d, t));
    EXPECT_EQ(d.year * 10000 + d.month * 100 + d.day, 20200131);
    ASSERT_TRUE(TryParseDateTime(u"1/2/2020 10:30", d, t));
    EXPECT_EQ(d.month, 2);
    EXPECT_EQ(t.minute, 30);
    EXPECT_FALSE(TryParseDateTime(u"31/02/2020", d, t));
    EXPECT_FALSE(TryParseDateTime(u"2020-01-31", d, t));
    TFormatSettings us;
    us.ShortDateFormat = u"mm/dd/yyyy";
    SetFormatSettings(us);
    ASSERT_TRUE(TryParseDateTime(u"01/31/2020", d, t));
    EXPECT_EQ(d.day, 31);
    SetFormatSettings(TFormatSettings::BrazilianPortuguese());
}

TEST(FormatSettings, NumbersFromTextUseTheRegionalSeparator) {
    SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    double d;
    int64_t i;
    EXPECT_TRUE(TryTextToFloat(u"12,5", d));
    EXPECT_EQ(d, 12.5);
    EXPECT_FALSE(TryTextToFloat(u"12.5", d));
    EXPECT_FALSE(TryTextToFloat(u"", d));
    EXPECT_TRUE(TryTextToInt(u" 007 ", i));
    EXPECT_EQ(i, 7);
    EXPECT_FALSE(TryTextToInt(u"7a", i));
}
