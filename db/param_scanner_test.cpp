#include <gtest/gtest.h>

#include "ParamScanner.h"

TEST(ParamScanner, FindsNamesAndReplacesThemWithMarks) {
    struct Case {
        const char16_t* text;
        std::vector<Text> names;
        const char16_t* server;
    } cases[] = {
        {u"Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE",
         {u"PUNIDADE"},
         u"Select UNIDADE from UNIDADES Where UNIDADE = ?"},
        {u"Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)",
         {u"PUNIDADE"},
         u"Insert Into UNIDADES (UNIDADE) Values(?)"},
        {u"X = ':NOT' and Y = \":NOT\" and Z = `:NOT` and W = :P1",
         {u"P1"},
         u"X = ':NOT' and Y = \":NOT\" and Z = `:NOT` and W = ?"},
        {u"A::B :P", {u"P"}, u"A::B ?"},
        {u":A,:B;:C\r\n:D\n:E)", {u"A", u"B", u"C", u"D", u"E"}, u"?,?;?\r\n?\n?)"},
        {u":A=(|x :B", {u"A=(|x", u"B"}, u"? ?"},
        {u":P, :p, :P", {u"P", u"p", u"P"}, u"?, ?, ?"},
        {u":\"Quoted Name\" + 1", {u"Quoted Name"}, u"? + 1"},
        {u"'it''s :x' :y", {u"y"}, u"'it''s :x' ?"},
        {u"no parameters", {}, u"no parameters"},
    };
    for (const auto& c : cases) {
        TScannedStatement s = ScanParameters(c.text);
        EXPECT_EQ(s.names, c.names) << ToUtf8(c.text);
        EXPECT_EQ(s.serverText, c.server) << ToUtf8(c.text);
    }
}
