#include "FormatSettings.h"

#include <charconv>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<TFormatSettings>& Current() {
    static std::unique_ptr<TFormatSettings> current;
    return current;
}

Text Ascii(std::string_view s) {
    return Text(s.begin(), s.end());
}

Text Pad(int64_t v, int width) {
    Text t = IntToText(v < 0 ? -v : v);
    if (int(t.size()) < width)
        t.insert(0, size_t(width) - t.size(), u'0');
    return v < 0 ? u"-" + t : t;
}

// Reads digits from s[i..]; returns false when there is none.
bool ReadNumber(TextView s, size_t& i, int& value, int maxDigits) {
    size_t start = i;
    value = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9' && int(i - start) < maxDigits)
        value = value * 10 + (s[i++] - u'0');
    return i > start;
}

}  // namespace

TFormatSettings TFormatSettings::BrazilianPortuguese() {
    return TFormatSettings{};
}

const TFormatSettings& FormatSettings() {
    auto& c = Current();
    if (!c)
        c = std::make_unique<TFormatSettings>(TFormatSettings::FromProcessLocale());
    return *c;
}

void SetFormatSettings(const TFormatSettings& settings) {
    Current() = std::make_unique<TFormatSettings>(settings);
}

Text FormatGeneral(double value, char16_t decimalSeparator) {
    if (value == 0)
        return u"0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    // to_chars writes 1.5e+15 / 5e-05; the general format writes 1.5E15 / 5E-5.
    size_t e = s.find('e');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        bool neg = !exp.empty() && exp[0] == '-';
        if (!exp.empty() && (exp[0] == '-' || exp[0] == '+'))
            exp.erase(0, 1);
        while (exp.size() > 1 && exp[0] == '0')
            exp.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + exp;
    }
    Text t = Ascii(s);
    for (auto& c : t)
        if (c == u'.')
            c = decimalSeparator;
    return t;
}

Text FloatToText(double value) {
    return FormatGeneral(value, FormatSettings().DecimalSeparator);
}

Text ScaledToText(int64_t value, int scale) {
    bool neg = value < 0;
    // Work on the magnitude as unsigned so that the smallest int64 is safe.
    uint64_t mag = neg ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    std::string digits = std::to_string(mag);
    int places = -scale;
    if (places <= 0)
        return Ascii((neg ? "-" : "") + digits + std::string(size_t(-places), '0'));
    if (int(digits.size()) <= places)
        digits.insert(0, size_t(places) - digits.size() + 1, '0');
    std::string intPart = digits.substr(0, digits.size() - size_t(places));
    std::string frac = digits.substr(digits.size() - size_t(places));
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    Text t = Ascii((neg ? "-" : "") + intPart);
    if (!frac.empty()) {
        t.push_back(FormatSettings().DecimalSeparator);
        t += Ascii(frac);
    }
    return t;
}

Text FormatDateTime(TextView pattern, const TCivilDate& d, const TClockTime& t) {
    const TFormatSettings& fs = FormatSettings();
    Text r;
    size_t i = 0;
    while (i < pattern.size()) {
        char16_t c = pattern[i];
        char16_t lc = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        size_t n = 1;
        while (i + n < pattern.size() &&
               (pattern[i + n] == c || pattern[i + n] == lc || pattern[i + n] == char16_t(lc - 32)))
            ++n;
        switch (lc) {
            case u'd':
                r += Pad(d.day, n >= 2 ? 2 : 1);
                break;
            case u'm':
                r += Pad(d.month, n >= 2 ? 2 : 1);
                break;
            case u'y':
                r += n >= 3 ? Pad(d.year, 4) : Pad(d.year % 100, 2);
                break;
            case u'h':
                r += Pad(t.hour, n >= 2 ? 2 : 1);
                break;
            case u'n':
                r += Pad(t.minute, n >= 2 ? 2 : 1);
                break;
            case u's':
                r += Pad(t.second, n >= 2 ? 2 : 1);
                break;
            case u'z':
                r += n >= 3 ? Pad(t.fraction / 10, 3) : IntToText(t.fraction / 10);
                break;
            case u'/':
                r.append(n, fs.DateSeparator);
                break;
            case u':':
                r.append(n, fs.TimeSeparator);
                break;
            default:
                r.append(n, c);
                break;
        }
        i += n;
    }
    return r;
}

Text DateToText(const TCivilDate& date) {
    return FormatDateTime(FormatSettings().ShortDateFormat, date);
}

Text TimeToText(const TClockTime& time) {
    return FormatDateTime(u"hh:nn:ss", {}, time);
}

Text DateTimeToText(const TCivilDate& date, const TClockTime& time) {
    Text r = DateToText(date);
    if (time.hour || time.minute || time.second || time.fraction)
        r += u" " + TimeToText(time);
    return r;
}

bool TryParseTime(TextView s, TClockTime& t) {
    const char16_t sep = FormatSettings().TimeSeparator;
    size_t i = 0;
    int h = 0, m = 0, sec = 0, frac = 0;
    if (!ReadNumber(s, i, h, 2) || i >= s.size() || s[i] != sep)
        return false;
    ++i;
    if (!ReadNumber(s, i, m, 2))
        return false;
    if (i < s.size() && s[i] == sep) {
        ++i;
        if (!ReadNumber(s, i, sec, 2))
            return false;
        if (i < s.size() && (s[i] == u'.' || s[i] == u',')) {
            ++i;
            size_t start = i;
            if (!ReadNumber(s, i, frac, 4))
                return false;
            for (size_t k = i - start; k < 4; ++k)
                frac *= 10;
        }
    }
    if (i != s.size() || h > 23 || m > 59 || sec > 59)
        return false;
    t = {h, m, sec, frac};
    return true;
}

bool TryParseDateTime(TextView text, TCivilDate& date, TClockTime& time) {
    const TFormatSettings& fs = FormatSettings();
    Text s = Trim(text);
    // Order of day, month and year as the short date format gives them.
    Text order;
    for (char16_t c : fs.ShortDateFormat) {
        char16_t lc = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        if ((lc == u'd' || lc == u'm' || lc == u'y') && order.find(lc) == Text::npos)
            order.push_back(lc);
    }
    if (order.size() != 3)
        order = u"dmy";
    int parts[3] = {0, 0, 0};
    int yearDigits = 0;
    size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (i >= s.size() || s[i] != fs.DateSeparator)
                return false;
            ++i;
        }
        size_t start = i;
        if (!ReadNumber(s, i, parts[k], order[size_t(k)] == u'y' ? 4 : 2))
            return false;
        if (order[size_t(k)] == u'y')
            yearDigits = int(i - start);
    }
    int day = 0, month = 0, year = 0;
    for (int k = 0; k < 3; ++k) {
        if (order[size_t(k)] == u'd')
            day = parts[k];
        if (order[size_t(k)] == u'm')
            month = parts[k];
        if (order[size_t(k)] == u'y')
            year = parts[k];
    }
    if (yearDigits <= 2)
        year += year < 50 ? 2000 : 1900;
    if (!IsValidDate(year, month, day))
        return false;
    TClockTime t;
    if (i < s.size()) {
        if (s[i] != u' ')
            return false;
        if (!TryParseTime(Trim(s.substr(i)), t))
            return false;
    }
    date = {year, month, day};
    time = t;
    return true;
}

bool TryTextToInt(TextView text, int64_t& value) {
    std::string s = ToUtf8(Trim(text));
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    if (s.empty())
        return false;
    auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    return res.ec == std::errc() && res.ptr == s.data() + s.size();
}

bool TryTextToFloat(TextView text, double& value) {
    std::string s = ToUtf8(Trim(text));
    const char16_t sep = FormatSettings().DecimalSeparator;
    for (auto& c : s) {
        if (char16_t(static_cast<unsigned char>(c)) == sep)
            c = '.';
        else if (c == '.')
            return false;
    }
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    if (s.empty())
        return false;
    auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    return res.ec == std::errc() && res.ptr == s.data() + s.size() && std::isfinite(value);
}
