#include "ParamScanner.h"

namespace {
bool IsQuote(char16_t c) {
    return c == u'\'' || c == u'"' || c == u'`';
}
bool EndsName(char16_t c) {
    return c == u' ' || c == u',' || c == u';' || c == u')' || c == u'\r' || c == u'\n';
}
}  // namespace

TScannedStatement ScanParameters(TextView s) {
    TScannedStatement r;
    r.serverText.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        char16_t c = s[i];
        if (IsQuote(c)) {
            size_t close = s.find(c, i + 1);
            size_t end = close == TextView::npos ? s.size() : close + 1;
            r.serverText.append(s.substr(i, end - i));
            i = end;
        } else if (c == u':' && i + 1 < s.size() && s[i + 1] == u':') {
            r.serverText.append(u"::");
            i += 2;
        } else if (c == u':') {
            size_t start = i + 1, end;
            Text name;
            if (start < s.size() && IsQuote(s[start])) {
                size_t close = s.find(s[start], start + 1);
                end = close == TextView::npos ? s.size() : close + 1;
                name = Text(
                    s.substr(start + 1, (close == TextView::npos ? s.size() : close) - start - 1));
            } else {
                end = start;
                while (end < s.size() && !EndsName(s[end]))
                    ++end;
                name = Text(s.substr(start, end - start));
            }
            r.names.push_back(std::move(name));
            r.serverText.push_back(u'?');
            i = end;
        } else {
            r.serverText.push_back(c);
            ++i;
        }
    }
    return r;
}
