#include <gtest/gtest.h>

#include "classConversao.h"

namespace {

struct TextCase {
    const char* name;
    Text (*fn)(Text);
    Text input;
    Text expected;
};

TEST(TextHelpers, StrZeroPadsWithoutCuttingOrTrimming) {
    struct Case {
        Text valor;
        int32_t qtd;
        Text expected;
    };
    const Case cases[] = {
        {u"7", 3, u"007"}, {u"1234", 3, u"1234"}, {u"", 2, u"00"},   {u"7", 0, u"7"},
        {u"7", -5, u"7"},  {u" 7", 3, u"0 7"},    {u"12", 2, u"12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.valor) + " width " + std::to_string(c.qtd));
        EXPECT_EQ(TConversao::StrZero(c.valor, c.qtd), c.expected);
        EXPECT_EQ(TConversao::StrZero(ToUtf8(c.valor), c.qtd), ToUtf8(c.expected));
    }
}

TEST(TextHelpers, OneArgumentFunctions) {
    const Text longTail(150, u'x');
    const TextCase cases[] = {
        {"TiraMascara", TConversao::TiraMascara, u"12.345.678/0001-90", u"12345678000190"},
        {"TiraMascara", TConversao::TiraMascara, u" isento ", u" ISENTO "},
        {"TiraMascara", TConversao::TiraMascara, u"ISENTA", u""},
        {"TiraMascara", TConversao::TiraMascara, u"NAO ISENTO", u""},
        {"TiraMascara", TConversao::TiraMascara, u"", u""},
        {"TiraMascara", TConversao::TiraMascara, u"ab1 c2", u"12"},

        {"FRemoveCaracter", TConversao::FRemoveCaracter, u"123.456.789-01", u"12345678901"},
        {"FRemoveCaracter", TConversao::FRemoveCaracter, u" abc ", u" abc "},
        {"FRemoveCaracter", TConversao::FRemoveCaracter, u"  a-b  ", u"ab"},
        {"FRemoveCaracter", TConversao::FRemoveCaracter, u"d'a/b.c-e", u"dabce"},
        {"FRemoveCaracter", TConversao::FRemoveCaracter, u"a -b", u"a b"},
        {"FRemoveCaracter", TConversao::FRemoveCaracter, u"ab-" + longTail,
         u"ab" + longTail.substr(0, 100)},

        {"FRetiraAcento", TConversao::FRetiraAcento, T("São João: ação"), u"SAO JOAO. ACAO"},
        {"FRetiraAcento", TConversao::FRetiraAcento, T("Ñandú"), T("ÑANDU")},
        {"FRetiraAcento", TConversao::FRetiraAcento, T("niño"), T("NIñO")},
        {"FRetiraAcento", TConversao::FRetiraAcento, T("ÀÁÂÃÄàáâãäÈÉÊèéêÌÍÎìíî"),
         u"AAAAAAAAAAEEEEEEIIIIII"},
        {"FRetiraAcento", TConversao::FRetiraAcento, T("ÒÓÔÕÖòóôõöÙÚÜùúüÇç;"),
         u"OOOOOOOOOOUUUUUUCC."},
        {"FRetiraAcento", TConversao::FRetiraAcento, T("ÅåËëÏïÛûÝý€"), T("ÅåËëÏïÛûÝý€")},

        {"FRetiraTraco", TConversao::FRetiraTraco, u"01-02-2020", u"01022020"},
        {"FRetiraTraco", TConversao::FRetiraTraco, u" a--b ", u" ab "},

        {"FSoNumero", TConversao::FSoNumero, u" isento 12-3x ", u"123"},
        {"FSoNumero", TConversao::FSoNumero, u"", u""},

        {"RemoveDuploEspaco", TConversao::RemoveDuploEspaco, u"  a   b    c  ", u"a b c"},
        {"RemoveDuploEspaco", TConversao::RemoveDuploEspaco, u"a \t b", u"a \t b"},
        {"RemoveDuploEspaco", TConversao::RemoveDuploEspaco, u"     ", u""},
        {"RemoveDuploEspaco", TConversao::RemoveDuploEspaco, u"\ta b\n", u"a b"},
        // After a double blank the rest is trimmed, which also drops control characters.
        {"RemoveDuploEspaco", TConversao::RemoveDuploEspaco, u"a  \t b", u"a b"},

        {"FRetornaFJ", TConversao::FRetornaFJ, u"12345678901", u"F"},
        {"FRetornaFJ", TConversao::FRetornaFJ, u"12345678000190", u"J"},
        {"FRetornaFJ", TConversao::FRetornaFJ, u"123.456.789-01", u"J"},
        {"FRetornaFJ", TConversao::FRetornaFJ, u"123456789012", u"J"},
        {"FRetornaFJ", TConversao::FRetornaFJ, u"", u"F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(\"" + ToUtf8(c.input) + "\")");
        EXPECT_EQ(ToUtf8(c.fn(c.input)), ToUtf8(c.expected));
    }
}

TEST(TextHelpers, RemoveDuploEspacoHandlesManyRuns) {
    Text input, expected;
    for (int i = 0; i < 100000; ++i) {
        input += u"a   ";
        expected += i ? u" a" : u"a";
    }
    EXPECT_EQ(TConversao::RemoveDuploEspaco(input), expected);
}

}  // namespace
