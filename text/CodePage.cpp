#include "CodePage.h"

#include <array>

#include "Error.h"

namespace {
// Characters of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int EncodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return int(0x80 + i);
    return -1;
}
}  // namespace

Text DecodeCp1252(std::string_view bytes) {
    Text r(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        r[i] = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
    }
    return r;
}

std::string EncodeCp1252(TextView text) {
    std::string r(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        int b = EncodeChar(text[i]);
        if (b < 0) {
            char buf[8];
            snprintf(buf, sizeof buf, "%04X", unsigned(text[i]));
            throw EConvertError(u"The character U+" + FromUtf8(buf) + u" at position " +
                                IntToText(int64_t(i + 1)) +
                                u" cannot be written in the code page Windows-1252");
        }
        r[i] = char(b);
    }
    return r;
}
