#pragma once
// TStringList: an ordered list of text lines, also read as name=value pairs.
//
// Value(name) finds the first line whose part before the first "=" equals `name`, compared
// without regard to ASCII letter case, and gives everything after that "="; lines without "="
// never match, and a missing name gives the empty text. SetValue replaces that line, appends
// "name=value" when there is none, and removes the line when the value is empty.

#include <vector>

#include "Text.h"

class TStringList {
  public:
    void Add(Text line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    size_t Count() const { return lines_.size(); }
    const Text& operator[](size_t i) const { return lines_.at(i); }

    // Index of the first line named `name`, or -1.
    long IndexOfName(TextView name) const;
    Text Value(TextView name) const;
    void SetValue(TextView name, TextView value);

    // The lines joined by carriage return and line feed, each line ended by one.
    Text GetText() const;
    // Replaces the lines; CR LF, CR alone and LF alone all end a line.
    void SetText(TextView text);

  private:
    std::vector<Text> lines_;
};
