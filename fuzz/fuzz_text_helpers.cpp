// The toolkit's pure text helpers and the text layer's rules on any two texts: nothing
// crashes, and each result keeps the cheap properties its contract promises.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "Clock.h"
#include "FormatSettings.h"
#include "FuzzSupport.h"
#include "StringList.h"
#include "classConversao.h"

namespace {

using C = TConversao;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool AllDigits(TextView s) {
    return std::all_of(s.begin(), s.end(), IsDigit);
}
bool Has(TextView s, char16_t c) {
    return s.find(c) != TextView::npos;
}
bool HasAnyOf(TextView s, TextView chars) {
    return s.find_first_of(chars) != TextView::npos;
}
bool IsSubsequence(TextView part, TextView whole) {
    size_t j = 0;
    for (char16_t c : whole)
        if (j < part.size() && part[j] == c)
            ++j;
    return j == part.size();
}
Text Without(TextView s, bool (*drop)(char16_t)) {
    Text r;
    for (char16_t c : s)
        if (!drop(c))
            r.push_back(c);
    return r;
}
bool IsTrimmed(TextView s) {
    return s.empty() || (!IsBlankOrControl(s.front()) && !IsBlankOrControl(s.back()));
}

// The characters FRetiraAcento maps: the accented letters of its table, colon and semicolon.
bool IsMappedByRetiraAcento(char16_t c) {
    constexpr TextView kMapped =
        u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00E0\u00E1\u00E2\u00E3\u00E4"
        u"\u00C8\u00C9\u00CA\u00E8\u00E9\u00EA\u00CC\u00CD\u00CE\u00EC\u00ED\u00EE"
        u"\u00D2\u00D3\u00D4\u00D5\u00D6\u00F2\u00F3\u00F4\u00F5\u00F6"
        u"\u00D9\u00DA\u00DC\u00F9\u00FA\u00FC\u00C7\u00E7:;";
    return Has(kMapped, c);
}

void CheckNormalisation(const Text& a, int32_t width) {
    const Text z = C::StrZero(a, width);
    FUZZ_CHECK(int64_t(z.size()) == std::max<int64_t>(int64_t(a.size()), width));
    FUZZ_CHECK(z.ends_with(a));
    FUZZ_CHECK(std::all_of(z.begin(), z.end() - ptrdiff_t(a.size()),
                           [](char16_t c) { return c == u'0'; }));

    const Text digits = C::FSoNumero(a);
    FUZZ_CHECK(AllDigits(digits));
    FUZZ_CHECK(digits.size() == size_t(std::count_if(a.begin(), a.end(), IsDigit)));

    const Text upper = AsciiUpper(a);
    const Text semMascara = C::TiraMascara(a);
    if (Trim(upper) == u"ISENTO")
        FUZZ_CHECK(semMascara == upper);
    else if (Contains(upper, u"ISEN"))
        FUZZ_CHECK(semMascara.empty());
    else
        FUZZ_CHECK(semMascara == digits);

    const Text removed = C::FRemoveCaracter(a);
    FUZZ_CHECK(!HasAnyOf(removed, u"-./'"));
    FUZZ_CHECK(IsSubsequence(removed, a));
    if (!HasAnyOf(a, u"-./'"))
        FUZZ_CHECK(removed == a);

    const Text semAcento = C::FRetiraAcento(a);
    FUZZ_CHECK(semAcento.size() == a.size());
    for (size_t i = 0; i < a.size(); ++i) {
        const char16_t c = semAcento[i];
        FUZZ_CHECK(!(c >= u'a' && c <= u'z') && !IsMappedByRetiraAcento(c));
        if (!IsMappedByRetiraAcento(a[i]) && !(a[i] >= u'a' && a[i] <= u'z'))
            FUZZ_CHECK(c == a[i]);
    }

    FUZZ_CHECK(C::FRetiraTraco(a) == Without(a, [](char16_t c) { return c == u'-'; }));

    // Runs of blanks shrink to one and the ends are trimmed; no other character is lost.
    const Text single = C::RemoveDuploEspaco(a);
    FUZZ_CHECK(IsTrimmed(single));
    FUZZ_CHECK(single.find(u"  ") == Text::npos);
    FUZZ_CHECK(IsSubsequence(single, a));
    FUZZ_CHECK(Without(single, IsBlankOrControl) == Without(a, IsBlankOrControl));
    FUZZ_CHECK(C::RemoveDuploEspaco(single) == single);

    FUZZ_CHECK(C::FRetornaFJ(a) == (a.size() > 11 ? u"J" : u"F"));
}

void CheckFormats(const Text& a) {
    Text data = a;
    const Text r = C::FValidaData(data);
    FUZZ_CHECK(r == data);
    if (a.empty() || a == u"  -   -") {
        FUZZ_CHECK(r == DateToText(Today()));
    } else if (Has(a, u'/')) {
        FUZZ_CHECK(r.size() == a.size() && !Has(r, u'/'));
    } else if (Has(a, u'-')) {
        FUZZ_CHECK(r.size() == a.size() && !Has(r, u'-'));
    } else if (Has(a, u'.')) {
        FUZZ_CHECK(r == a);
    } else {
        // A day count from 1899-12-30, written as a date that reads back as the same day.
        double dias = 0;
        const bool valid = TryTextToFloat(a, dias) && dias >= -657434.0 && dias < 2958466.0;
        FUZZ_CHECK(r.empty() != valid);
        if (valid) {
            TCivilDate date;
            TClockTime time;
            FUZZ_CHECK(r.size() == 10 && TryParseDateTime(r, date, time));
            FUZZ_CHECK(DaysFromCivil(date.year, date.month, date.day) - kNumericEpochDays ==
                       int64_t(std::trunc(dias)));
        }
    }

    const auto n = int64_t(a.size());
    const int64_t expected = std::clamp<int64_t>(n - 6, 0, 2) + std::clamp<int64_t>(n - 4, 0, 2) +
                             std::min<int64_t>(n, 4) + 2;
    FUZZ_CHECK(int64_t(C::TrataOrdemData(a).size()) == expected);

    FUZZ_CHECK(!HasAnyOf(C::FValidaTelefone(a), u"-./' "));

    const Text barra = C::FBarraPonto(a);
    FUZZ_CHECK(!Has(barra, u'/'));
    if (!Has(a, u'/'))
        FUZZ_CHECK(barra == a);
    const Text virgula = C::FVirgulaPonto(a);
    FUZZ_CHECK(!Has(virgula, u',') && !virgula.empty());
    if (!a.empty() && !Has(a, u','))
        FUZZ_CHECK(virgula == a);
    const Text ponto = C::FPontoVirgula(a);
    FUZZ_CHECK(!Has(ponto, u'.') && !ponto.empty());
    if (!a.empty() && !Has(a, u'.'))
        FUZZ_CHECK(ponto == a);
}

void CheckSimilarity(const Text& a, const Text& b) {
    // An edit distance: symmetric, zero only between equal texts, at least the difference of
    // the lengths and at most the longer length (every cell of the table is at most max(i, j)).
    const int32_t d = C::CalculaDiferencaStrings(a, b);
    FUZZ_CHECK(d == C::CalculaDiferencaStrings(b, a));
    FUZZ_CHECK((d == 0) == (a == b));
    const size_t shorter = std::min(a.size(), b.size()), longer = std::max(a.size(), b.size());
    FUZZ_CHECK(size_t(d) >= longer - shorter && size_t(d) <= longer);
    FUZZ_CHECK(C::CalculaDiferencaStrings(a, a) == 0);

    const double s = C::RetornaSimilaridadeStrings(a, b, false);
    FUZZ_CHECK(s >= 0.0 && s <= 1.0);
    FUZZ_CHECK((s == 1.0) == (a == b));
    const double si = C::RetornaSimilaridadeStrings(a, b, true);
    FUZZ_CHECK(si == C::RetornaSimilaridadeStrings(AsciiLower(a), AsciiLower(b), false));
}

void CheckTextRules(const Text& a, const Text& b, int64_t index, int64_t count) {
    const Text t = Trim(a);
    FUZZ_CHECK(IsTrimmed(t) && Contains(a, t));

    const Text part = Copy(a, index, count);
    FUZZ_CHECK(int64_t(part.size()) <= std::max<int64_t>(count, 0));
    if (!part.empty())
        FUZZ_CHECK(TextView(a).substr(size_t(std::max<int64_t>(index, 1) - 1), part.size()) ==
                   part);

    const size_t p = Pos(b, a);
    if (b.empty())
        FUZZ_CHECK(p == 0);
    else
        FUZZ_CHECK(p == 0 ? !Contains(a, b) : TextView(a).substr(p - 1, b.size()) == b);

    FUZZ_CHECK(ReplaceAll(a, b, b) == a);
    FUZZ_CHECK(SameText(a, AsciiLower(a)) && SameText(AsciiUpper(a), a));
    FUZZ_CHECK(AsciiUpper(AsciiLower(a)) == AsciiUpper(a));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        if (len == 0 || i + len > s.size())
            return false;
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc >> 6) != 0x2)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return false;
        i += len;
    }
    return true;
}

bool IsWellFormedUtf16(TextView s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] >= 0xD800 && s[i] < 0xDC00) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] >= 0xE000)
                return false;
            ++i;
        } else if (s[i] >= 0xDC00 && s[i] < 0xE000) {
            return false;
        }
    }
    return true;
}

void CheckUtf8(std::string_view raw, const Text& a) {
    const Text fromRaw = FromUtf8(raw);
    if (IsValidUtf8(raw))
        FUZZ_CHECK(ToUtf8(fromRaw) == raw);
    if (IsWellFormedUtf16(a))
        FUZZ_CHECK(FromUtf8(ToUtf8(a)) == a);
}

void CheckRegional(const Text& a) {
    TCivilDate date;
    TClockTime time;
    if (TryParseDateTime(a, date, time)) {
        FUZZ_CHECK(IsValidDate(date.year, date.month, date.day));
        FUZZ_CHECK(time.hour <= 23 && time.minute <= 59 && time.second <= 59);
        TCivilDate date2;
        TClockTime time2;
        FUZZ_CHECK(TryParseDateTime(DateTimeToText(date, time), date2, time2));
        FUZZ_CHECK(date2.year == date.year && date2.month == date.month && date2.day == date.day);
        FUZZ_CHECK(time2.hour == time.hour && time2.minute == time.minute &&
                   time2.second == time.second);
    }

    int64_t i = 0;
    if (TryTextToInt(a, i)) {
        int64_t j = 0;
        FUZZ_CHECK(TryTextToInt(IntToText(i), j) && j == i);
    }

    double v = 0;
    if (TryTextToFloat(a, v)) {
        FUZZ_CHECK(std::isfinite(v));
        const Text g = FormatGeneral(v, u',');
        const double m = std::fabs(v);
        // Plain notation from 0.0001 up to 1E15 (the borders themselves depend on rounding).
        if (m != 0 && (m < 0.99e-4 || m > 1.01e15))
            FUZZ_CHECK(Has(g, u'E'));
        if (m == 0 || (m > 1.01e-4 && m < 0.99e15))
            FUZZ_CHECK(!Has(g, u'E'));
        // At most 15 significant digits, so the text reads back as a close number.
        if (m == 0 || (m >= DBL_MIN && m < 1e308)) {
            double back = 0;
            FUZZ_CHECK(TryTextToFloat(g, back));
            FUZZ_CHECK(std::fabs(back - v) <= m * 1e-14);
        }
    }
}

void CheckStringList(const Text& a, const Text& b) {
    TStringList list;
    list.SetText(a);
    for (size_t i = 0; i < list.Count(); ++i)
        FUZZ_CHECK(!HasAnyOf(list[i], u"\r\n"));
    TStringList again;
    again.SetText(list.GetText());
    FUZZ_CHECK(again.Count() == list.Count());
    for (size_t i = 0; i < list.Count(); ++i)
        FUZZ_CHECK(again[i] == list[i]);

    const Text name = b.substr(0, b.find(u'='));
    const long before = list.IndexOfName(name);
    const size_t count = list.Count();
    const Text value = Copy(b, 1, 8);
    list.SetValue(name, value);
    if (!value.empty()) {
        FUZZ_CHECK(list.Value(name) == value);
        FUZZ_CHECK(list.Count() == count + (before < 0 ? 1 : 0));
    } else {
        FUZZ_CHECK(list.Count() == count - (before < 0 ? 0 : 1));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetFormatSettings(TFormatSettings::BrazilianPortuguese());
    FixClock({{2026, 12, 9}, {12, 0, 0, 0}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const auto kind = in.ConsumeIntegral<uint8_t>();
    const int32_t width = in.ConsumeIntegral<int16_t>();
    const auto index = in.ConsumeIntegralInRange<int64_t>(-4, 5000);
    const auto count = in.ConsumeIntegralInRange<int64_t>(-4, 5000);
    const std::string rawA = in.ConsumeRandomLengthString(size);
    const std::string rawB = in.ConsumeRemainingBytesAsString();
    const Text a = TextFromBytes(kind, rawA);
    const Text b = TextFromBytes(kind / 3u, rawB);

    CheckNormalisation(a, width);
    CheckFormats(a);
    CheckFormats(b);
    CheckSimilarity(a, b);
    CheckTextRules(a, b, index, count);
    CheckUtf8(rawA, a);
    CheckRegional(a);
    CheckStringList(a, b);
    return 0;
}
