#pragma once
// The fixed rules that give origin rows their destination keys.

#include "Text.h"

// "001" followed by the characters 4 to 6 of the origin supplier code (as many as exist).
inline Text RecodificaFornecedor(const Text& codigo) {
    return u"001" + Copy(codigo, 4, 3);
}

// "01" followed by the characters 3 to 6 of the origin product code (as many as exist).
inline Text RecodificaProduto(const Text& codigo) {
    return u"01" + Copy(codigo, 3, 4);
}
