#pragma once
// The system's text type and the few text rules every layer shares.
//
// Text is UTF-16. Positions are counted from 1 where the system's rules say so (Copy, Pos).
// Letter case is ASCII-only: only a-z and A-Z change. Trimming removes every character
// U+0020 or below from both ends.

#include <cstdint>
#include <string>
#include <string_view>

using Text = std::u16string;
using TextView = std::u16string_view;

Text AsciiUpper(TextView s);
Text AsciiLower(TextView s);
Text Trim(TextView s);
bool IsBlankOrControl(char16_t c);

// Equal when both texts are the same after ASCII upper-casing.
bool SameText(TextView a, TextView b);

// Characters from the 1-based position `index`, at most `count` of them; positions outside
// the text give fewer characters or the empty text, never an error.
Text Copy(TextView s, int64_t index, int64_t count);
// 1-based position of the first occurrence of `needle` in `s`, 0 when absent.
size_t Pos(TextView needle, TextView s);
bool Contains(TextView s, TextView needle);
Text ReplaceAll(TextView s, TextView from, TextView to);

Text IntToText(int64_t v);

// Conversions for the program's edges (file names, terminal, exception texts).
Text FromUtf8(std::string_view s);
std::string ToUtf8(TextView s);

// Shorthand for literals in code and tests: u"..." already is Text-compatible; this turns a
// UTF-8 literal into Text.
inline Text T(std::string_view utf8) {
    return FromUtf8(utf8);
}
