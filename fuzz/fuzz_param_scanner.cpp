// ScanParameters on any text. Laid beside the original, the server text and the names account
// for every character as the scanner's contract says (quoted sections and "::" copied, each
// parameter one "?", unquoted names free of terminators, quoted names free of their quote),
// and scanning the server text again finds no parameter and changes nothing.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "ParamScanner.h"

namespace {

bool IsQuote(char16_t c) {
    return c == u'\'' || c == u'"' || c == u'`';
}

bool EndsName(char16_t c) {
    return c == u' ' || c == u',' || c == u';' || c == u')' || c == u'\r' || c == u'\n';
}

void CheckAgainstText(TextView text, const TScannedStatement& r) {
    const TextView server = r.serverText;
    size_t i = 0, k = 0, n = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (IsQuote(c)) {
            const size_t close = text.find(c, i + 1);
            const size_t len = (close == TextView::npos ? text.size() : close + 1) - i;
            FUZZ_CHECK(server.substr(k, len) == text.substr(i, len));
            i += len, k += len;
        } else if (c == u':' && i + 1 < text.size() && text[i + 1] == u':') {
            FUZZ_CHECK(server.substr(k, 2) == u"::");
            i += 2, k += 2;
        } else if (c == u':') {
            FUZZ_CHECK(k < server.size() && server[k] == u'?');
            FUZZ_CHECK(n < r.names.size());
            const Text& name = r.names[n++];
            ++i, ++k;
            if (i < text.size() && IsQuote(text[i])) {
                const char16_t q = text[i++];
                FUZZ_CHECK(name.find(q) == Text::npos);
                FUZZ_CHECK(text.substr(i, name.size()) == name);
                i += name.size();
                FUZZ_CHECK(i == text.size() || text[i] == q);
                if (i < text.size())
                    ++i;
            } else {
                FUZZ_CHECK(std::none_of(name.begin(), name.end(), EndsName));
                FUZZ_CHECK(text.substr(i, name.size()) == name);
                i += name.size();
                FUZZ_CHECK(i == text.size() || EndsName(text[i]));
            }
        } else {
            FUZZ_CHECK(k < server.size() && server[k] == c);
            ++i, ++k;
        }
    }
    FUZZ_CHECK(k == server.size());
    FUZZ_CHECK(n == r.names.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Text text = TextFromBytes(data[0], bytes.substr(1));

    const TScannedStatement r = ScanParameters(text);
    FUZZ_CHECK(r.serverText.size() <= text.size());
    CheckAgainstText(text, r);

    const TScannedStatement again = ScanParameters(r.serverText);
    FUZZ_CHECK(again.names.empty());
    FUZZ_CHECK(again.serverText == r.serverText);
    return 0;
}
