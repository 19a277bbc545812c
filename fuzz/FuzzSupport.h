#pragma once
// What the fuzz targets share: turning the fuzzer's bytes into Text, and the check that stops
// the run (libFuzzer then saves the input as a crash).

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "CodePage.h"
#include "Text.h"

// Aborts with the failed condition when `cond` is false.
#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Every pair of bytes is one UTF-16 code unit, little-endian; an odd last byte is dropped.
inline Text Utf16FromBytes(std::string_view bytes) {
    Text r(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) |
                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return r;
}

// The bytes read as UTF-8, Windows-1252 or raw UTF-16, after `kind` (any number).
inline Text TextFromBytes(unsigned kind, std::string_view bytes) {
    switch (kind % 3) {
        case 0:
            return FromUtf8(bytes);
        case 1:
            return DecodeCp1252(bytes);
        default:
            return Utf16FromBytes(bytes);
    }
}
