#include "Text.h"

#include <algorithm>

namespace {
char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}
char16_t LowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}
}  // namespace

Text AsciiUpper(TextView s) {
    Text r(s);
    for (auto& c : r)
        c = UpperAscii(c);
    return r;
}

Text AsciiLower(TextView s) {
    Text r(s);
    for (auto& c : r)
        c = LowerAscii(c);
    return r;
}

bool IsBlankOrControl(char16_t c) {
    return c <= u' ';
}

Text Trim(TextView s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlankOrControl(s[b]))
        ++b;
    while (e > b && IsBlankOrControl(s[e - 1]))
        --e;
    return Text(s.substr(b, e - b));
}

bool SameText(TextView a, TextView b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

Text Copy(TextView s, int64_t index, int64_t count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || index > int64_t(s.size()))
        return Text();
    size_t start = size_t(index - 1);
    return Text(s.substr(start, size_t(std::min<int64_t>(count, int64_t(s.size() - start)))));
}

size_t Pos(TextView needle, TextView s) {
    if (needle.empty())
        return 0;
    size_t p = s.find(needle);
    return p == TextView::npos ? 0 : p + 1;
}

bool Contains(TextView s, TextView needle) {
    return s.find(needle) != TextView::npos;
}

Text ReplaceAll(TextView s, TextView from, TextView to) {
    if (from.empty())
        return Text(s);
    Text r;
    size_t i = 0;
    for (size_t p; (p = s.find(from, i)) != TextView::npos; i = p + from.size()) {
        r.append(s.substr(i, p - i));
        r.append(to);
    }
    r.append(s.substr(i));
    return r;
}

Text IntToText(int64_t v) {
    std::string s = std::to_string(v);
    return Text(s.begin(), s.end());
}

Text FromUtf8(std::string_view s) {
    Text r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        size_t len;
        if (c < 0x80) {
            cp = c, len = 1;
        } else if ((c >> 5) == 0x6 && i + 1 < s.size()) {
            cp = c & 0x1F, len = 2;
        } else if ((c >> 4) == 0xE && i + 2 < s.size()) {
            cp = c & 0x0F, len = 3;
        } else if ((c >> 3) == 0x1E && i + 3 < s.size()) {
            cp = c & 0x07, len = 4;
        } else {
            r.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc >> 6) != 0x2) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            r.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            r.push_back(char16_t(0xD800 + (cp >> 10)));
            r.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            r.push_back(char16_t(cp));
        }
        i += len;
    }
    return r;
}

std::string ToUtf8(TextView s) {
    std::string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            r.push_back(char(cp));
        } else if (cp < 0x800) {
            r.push_back(char(0xC0 | (cp >> 6)));
            r.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            r.push_back(char(0xE0 | (cp >> 12)));
            r.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            r.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            r.push_back(char(0xF0 | (cp >> 18)));
            r.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            r.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            r.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return r;
}
