// TConversao's string similarity: an edit distance with adjacent transpositions, and the
// similarity between 0 and 1 made from it.

#include <algorithm>
#include <vector>

#include "classConversao.h"

namespace {

int32_t Min(int32_t A, int32_t B, int32_t C) {
    return std::min({A, B, C});
}

}  // namespace

int32_t TConversao::CalculaDiferencaStrings(const Text& Str1, const Text& Str2) {
    // L is the longer text (Str1 on equal lengths), S the shorter.
    const bool str1Longer = Str1.size() >= Str2.size();
    TextView l = str1Longer ? Str1 : Str2;
    TextView s = str1Longer ? Str2 : Str1;

    // Only the part between the common prefix and the common suffix is compared.
    while (!s.empty() && l.front() == s.front()) {
        l.remove_prefix(1);
        s.remove_prefix(1);
    }
    while (!s.empty() && l.back() == s.back()) {
        l.remove_suffix(1);
        s.remove_suffix(1);
    }
    const auto m = int32_t(l.size());
    const auto n = int32_t(s.size());
    if (n == 0)
        return m;

    // One row of the edit table, indexed by the position in S.
    std::vector<int32_t> d(size_t(n) + 1);
    for (int32_t j = 0; j <= n; ++j)
        d[size_t(j)] = j;

    for (int32_t i = 1; i <= m; ++i) {
        const char16_t a = l[size_t(i - 1)];
        int32_t diag = i - 1;
        int32_t left = i;
        for (int32_t j = 1; j <= n; ++j) {
            const char16_t b = s[size_t(j - 1)];
            int32_t cost;
            if (a == b || (i > 1 && j > 1 && a == s[size_t(j - 2)] && l[size_t(i - 2)] == b))
                cost = diag;
            else
                cost = 1 + Min(left, diag, d[size_t(j)]);
            diag = d[size_t(j)];
            d[size_t(j)] = cost;
            left = cost;
        }
    }
    return d[size_t(n)];
}

double TConversao::RetornaSimilaridadeStrings(const Text& Str1, const Text& Str2, bool IgnoreCase) {
    const size_t maior = std::max(Str1.size(), Str2.size());
    if (maior == 0)
        return 1.0;
    const int32_t diferenca = IgnoreCase
                                  ? CalculaDiferencaStrings(AsciiLower(Str1), AsciiLower(Str2))
                                  : CalculaDiferencaStrings(Str1, Str2);
    return 1.0 - double(diferenca) / double(maior);
}
