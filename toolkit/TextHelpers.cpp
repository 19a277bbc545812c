// TConversao's text normalisation helpers: pure functions of their arguments.

#include <utility>

#include "classConversao.h"

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

Text DigitsOf(TextView s) {
    Text r;
    for (char16_t c : s)
        if (IsDigit(c))
            r.push_back(c);
    return r;
}

// Accented Latin-1 letters and the colon and semicolon, mapped after ASCII upper-casing.
struct TAccentMap {
    char16_t to;
    TextView from;
};
constexpr TAccentMap kAccentMap[] = {
    {u'A', u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00E0\u00E1\u00E2\u00E3\u00E4"},  // ÀÁÂÃÄàáâãä
    {u'E', u"\u00C8\u00C9\u00CA\u00E8\u00E9\u00EA"},                          // ÈÉÊèéê
    {u'I', u"\u00CC\u00CD\u00CE\u00EC\u00ED\u00EE"},                          // ÌÍÎìíî
    {u'O', u"\u00D2\u00D3\u00D4\u00D5\u00D6\u00F2\u00F3\u00F4\u00F5\u00F6"},  // ÒÓÔÕÖòóôõö
    {u'U', u"\u00D9\u00DA\u00DC\u00F9\u00FA\u00FC"},                          // ÙÚÜùúü
    {u'C', u"\u00C7\u00E7"},                                                  // Çç
    {u'.', u":;"},
};

char16_t StripAccent(char16_t c) {
    for (const auto& m : kAccentMap)
        if (m.from.find(c) != TextView::npos)
            return m.to;
    return c;
}

// '0's in front of `valor` up to `qtd` characters; a longer value is kept whole.
template <typename String>
String ZerosAEsquerda(String valor, int32_t qtd) {
    const int64_t n = int64_t(qtd) - int64_t(valor.size());
    if (n > 0)
        valor.insert(0, size_t(n), typename String::value_type('0'));
    return valor;
}

}  // namespace

Text TConversao::StrZero(Text Valor, int32_t Qtd) {
    return ZerosAEsquerda(std::move(Valor), Qtd);
}

std::string TConversao::StrZero(std::string Valor, int32_t Qtd) {
    return ZerosAEsquerda(std::move(Valor), Qtd);
}

Text TConversao::TiraMascara(Text Valor) {
    Text s = AsciiUpper(Valor);
    if (Trim(s) == u"ISENTO")
        return s;
    if (Contains(s, u"ISEN"))
        return Text();
    return DigitsOf(s);
}

Text TConversao::FRemoveCaracter(Text Valor) {
    // Each removal keeps at most 100 characters behind the removed one and trims the whole.
    for (char16_t c : {u'-', u'.', u'/', u'\''}) {
        for (size_t p; (p = Valor.find(c)) != Text::npos;)
            Valor = Trim(Valor.substr(0, p) + Copy(Valor, int64_t(p) + 2, 100));
    }
    return Valor;
}

Text TConversao::FRetiraAcento(Text Valor) {
    Text r = AsciiUpper(Valor);
    for (auto& c : r)
        c = StripAccent(c);
    return r;
}

Text TConversao::FRetiraTraco(Text Valor) {
    return ReplaceAll(Valor, u"-", u"");
}

Text TConversao::FSoNumero(Text MNumero) {
    return DigitsOf(MNumero);
}

Text TConversao::RemoveDuploEspaco(Text S) {
    // Trim, keep everything up to and including the first blank of a run of blanks, then start
    // again (trimming) from that blank. A loop over a view rather than recursion, so that a text
    // with many runs neither exhausts the stack nor is copied once per run.
    const Text trimmed = Trim(S);
    TextView rest = trimmed;
    Text result;
    for (;;) {
        size_t i = 0;
        while (i + 1 < rest.size() && !(rest[i] == u' ' && rest[i + 1] == u' '))
            ++i;
        if (i + 1 >= rest.size()) {
            result += rest;
            return result;
        }
        result += rest.substr(0, i + 1);
        // The end is trimmed already; trimming the rest only drops its leading characters.
        rest.remove_prefix(i);
        while (!rest.empty() && IsBlankOrControl(rest.front()))
            rest.remove_prefix(1);
    }
}

Text TConversao::FRetornaFJ(Text sCNPJ_CPF) {
    return sCNPJ_CPF.size() > 11 ? u"J" : u"F";
}
