#pragma once
// The fixed rules that give origin rows their destination keys.
//
// Each rule is written once and holds for the tool's text and for the stored single-byte text
// alike (the connection's character set keeps one byte per character), so code that works on
// the stored bytes applies it without decoding.

#include <string>
#include <string_view>

#include "Text.h"

// `prefixo` (ASCII) followed by the characters `de` to `de + quantos - 1` of `codigo`, counted
// from 1, as many as exist.
template <typename Char>
std::basic_string<Char> PrefixoETrecho(std::string_view prefixo,
                                       std::basic_string_view<Char> codigo, size_t de,
                                       size_t quantos) {
    std::basic_string<Char> r(prefixo.begin(), prefixo.end());
    if (de <= codigo.size())
        r.append(codigo.substr(de - 1, quantos));
    return r;
}

// "001" followed by the characters 4 to 6 of the origin supplier code (as many as exist).
inline Text RecodificaFornecedor(TextView codigo) {
    return PrefixoETrecho("001", codigo, 4, 3);
}
inline std::string RecodificaFornecedor(std::string_view codigo) {
    return PrefixoETrecho("001", codigo, 4, 3);
}

// "01" followed by the characters 3 to 6 of the origin product code (as many as exist).
inline Text RecodificaProduto(TextView codigo) {
    return PrefixoETrecho("01", codigo, 3, 4);
}
inline std::string RecodificaProduto(std::string_view codigo) {
    return PrefixoETrecho("01", codigo, 3, 4);
}
