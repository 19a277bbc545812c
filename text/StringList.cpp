#include "StringList.h"

long TStringList::IndexOfName(TextView name) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        size_t eq = lines_[i].find(u'=');
        if (eq != Text::npos && SameText(TextView(lines_[i]).substr(0, eq), name))
            return long(i);
    }
    return -1;
}

Text TStringList::Value(TextView name) const {
    long i = IndexOfName(name);
    if (i < 0)
        return Text();
    const Text& line = lines_[size_t(i)];
    return line.substr(line.find(u'=') + 1);
}

void TStringList::SetValue(TextView name, TextView value) {
    long i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            lines_.erase(lines_.begin() + i);
        return;
    }
    Text line = Text(name) + u"=" + Text(value);
    if (i >= 0)
        lines_[size_t(i)] = std::move(line);
    else
        lines_.push_back(std::move(line));
}

Text TStringList::GetText() const {
    Text r;
    for (const auto& l : lines_) {
        r += l;
        r += u"\r\n";
    }
    return r;
}

void TStringList::SetText(TextView text) {
    lines_.clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t e = i;
        while (e < text.size() && text[e] != u'\r' && text[e] != u'\n')
            ++e;
        lines_.emplace_back(text.substr(i, e - i));
        if (e < text.size() && text[e] == u'\r')
            ++e;
        if (e < text.size() && text[e] == u'\n')
            ++e;
        i = e;
    }
}
