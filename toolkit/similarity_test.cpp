#include <gtest/gtest.h>

#include "classConversao.h"

namespace {

TEST(Similarity, Distance) {
    struct Case {
        Text a;
        Text b;
        int32_t expected;
    };
    const Case cases[] = {
        {u"", u"", 0},
        {u"", u"abc", 3},
        {u"abc", u"", 3},
        {u"abc", u"abc", 0},
        {u"FERREIRA", u"PEREIRA", 2},
        {u"ab", u"ba", 1},
        {u"SANTOS", u"SATNOS", 1},
        {u"Abc", u"abc", 1},
        {u"kitten", u"sitting", 3},
        {u"abcdef", u"abXYef", 2},  // only the middle differs
        {u"aaab", u"ab", 2},        // the prefix skip leaves nothing of the shorter text
        {u"abcd", u"acbd", 1},
        {u"ca", u"abc", 3},  // nothing is inserted between transposed characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.a) + " / " + ToUtf8(c.b));
        EXPECT_EQ(TConversao::CalculaDiferencaStrings(c.a, c.b), c.expected);
        EXPECT_EQ(TConversao::CalculaDiferencaStrings(c.b, c.a), c.expected);
    }
}

TEST(Similarity, Similarity) {
    struct Case {
        Text a;
        Text b;
        bool ignoreCase;
        double expected;
    };
    const Case cases[] = {
        {u"", u"", false, 1.0},
        {u"", u"", true, 1.0},
        {u"abc", u"", false, 0.0},
        {u"JOSE", u"jose", true, 1.0},
        {u"JOSE", u"jose", false, 0.0},
        {T("JOSÉ"), T("josé"), true, 0.75},
        {u"FERREIRA", u"PEREIRA", false, 0.75},
        {u"Ferreira", u"PEREIRA", true, 0.75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.a) + " / " + ToUtf8(c.b) + (c.ignoreCase ? " ignoring case" : ""));
        EXPECT_DOUBLE_EQ(TConversao::RetornaSimilaridadeStrings(c.a, c.b, c.ignoreCase),
                         c.expected);
    }
}

}  // namespace
