// The Windows-1252 conversion. Any bytes survive a decode and an encode unchanged. Any UTF-16
// text is written exactly when each of its characters is one of the 256 that the bytes decode
// to, and then reads back as the same text; otherwise the write fails with EConvertError.

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Error.h"
#include "FuzzSupport.h"

namespace {

// The characters of the 256 bytes.
std::bitset<0x10000> Writable() {
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[size_t(b)] = char(b);
    std::bitset<0x10000> r;
    for (char16_t c : DecodeCp1252(all))
        r.set(c);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::bitset<0x10000> writable = Writable();
    FUZZ_CHECK(writable.count() == 256);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Text decoded = DecodeCp1252(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    FUZZ_CHECK(EncodeCp1252(decoded) == bytes);

    const Text text = Utf16FromBytes(bytes);
    const bool expectWritable =
        std::all_of(text.begin(), text.end(), [](char16_t c) { return writable.test(c); });
    try {
        const std::string encoded = EncodeCp1252(text);
        FUZZ_CHECK(expectWritable);
        FUZZ_CHECK(encoded.size() == text.size());
        FUZZ_CHECK(DecodeCp1252(encoded) == text);
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!expectWritable);
        // The message names the first character that cannot be written, and its position.
        const size_t first = size_t(
            std::find_if(text.begin(), text.end(), [](char16_t c) { return !writable.test(c); }) -
            text.begin());
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", unsigned(text[first]));
        FUZZ_CHECK(Contains(e.Message(), u"U+" + FromUtf8(hex) + u" at position " +
                                             IntToText(int64_t(first + 1)) + u" "));
    }
    return 0;
}
