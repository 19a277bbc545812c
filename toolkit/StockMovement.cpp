// PGravaEstoqueProduto: a product's opening stock movement in MVGERAL.
#include <cstdlib>
#include <optional>

#include "Clock.h"
#include "CodePage.h"
#include "FormatSettings.h"
#include "IBDatabase.h"
#include "classConversao.h"

namespace {

constexpr const char16_t* kColunas[] = {
    u"CODEMPRESA,", u"TIPOAGENTE,", u"CODIGOAGENTE,", u"DOCUMENTO,",
    u"CODPROD,",    u"CODGRADE,",   u"DT_MOVIMENTO,", u"TIPOMOV,",
    u"QUANTIDADE,", u"PRECOCUSTO,", u"PRECOMEDIO)",
};
constexpr int kBrancos[] = {88, 77, 77, 75, 78, 80, 79, 75, 80, 77, 77};

// The fixed head of the statement: each piece after its run of blanks.
Text Cabecalho() {
    Text head = u"INSERT INTO MVGERAL (";
    for (size_t i = 0; i < std::size(kColunas); ++i)
        head += Text(size_t(kBrancos[i]), u' ') + kColunas[i];
    return head + Text(63, u' ') + u"VALUES ( ";
}

// The same insert with a parameter per value, prepared once for every product.
const Text& TextoParametrizado() {
    static const Text text = [] {
        Text t = Cabecalho();
        for (int i = 1; i <= 11; ++i)
            t += u":V" + IntToText(i) + (i < 11 ? u", " : u") ");
        return t;
    }();
    return text;
}

Text Quoted(const Text& value) {
    return u"'" + ReplaceAll(value, u"'", u"''") + u"'";
}

// The eight texts and three numbers of a movement, as the statement writes them.
struct TValoresEstoque {
    Text textos[8];
    Text numeros[3];
};

TValoresEstoque Valores(Text CodEmpresa, const Text& CodProduto, double Estoque, double PrecoCusto,
                        double PrecoMedio) {
    if (Trim(CodEmpresa).empty())
        CodEmpresa = u"00";
    // One reading of the clock for both dates. The dates are written day first with fixed
    // separators, whatever the regional date separator: eight digits, and dots, the form the
    // database reads day first.
    const TCivilDate hoje = Today();
    const Text dia = FormatDateTime(u"dd", hoje), mes = FormatDateTime(u"mm", hoje),
               ano = FormatDateTime(u"yyyy", hoje);
    return {{CodEmpresa, u"F", u"000000", dia + mes + ano, CodProduto, u"0000",
             dia + u"." + mes + u"." + ano, u"04"},
            {FormatGeneral(Estoque, u'.'), FormatGeneral(PrecoCusto, u'.'),
             FormatGeneral(PrecoMedio, u'.')}};
}

// The exact decimal that a number written without exponent denotes: the database reads the
// same value from the parameter as from the statement text. A number written with an exponent
// is read by the database's own conversion of the text, so it has none.
std::optional<TValue> DecimalExato(const Text& numero) {
    if (numero.find(u'E') != Text::npos)
        return std::nullopt;
    std::string digitos = ToUtf8(numero);
    int escala = 0;
    if (size_t ponto = digitos.find('.'); ponto != std::string::npos) {
        escala = -int(digitos.size() - ponto - 1);
        digitos.erase(ponto, 1);
    }
    const int64_t valor = std::strtoll(digitos.c_str(), nullptr, 10);
    return escala ? TValue::Scaled(valor, escala) : TValue::Integer(valor);
}

}  // namespace

Text TConversao::TextoEstoqueProduto(Text CodEmpresa, const Text& CodProduto, double Estoque,
                                     double PrecoCusto, double PrecoMedio) {
    const TValoresEstoque v =
        Valores(std::move(CodEmpresa), CodProduto, Estoque, PrecoCusto, PrecoMedio);
    Text sql = Cabecalho();
    for (size_t i = 0; i < 8; ++i)
        sql += (i ? u", " : u"") + Quoted(v.textos[i]);
    for (const Text& numero : v.numeros)
        sql += u", " + numero;
    return sql + u") ";
}

void TConversao::PGravaEstoqueProduto(TIBDatabase& Banco, const Text& CodEmpresa,
                                      const Text& CodProduto, double Estoque, double PrecoCusto,
                                      double PrecoMedio) {
    TIBQuery qryGravaDados;
    qryGravaDados.SetDatabase(&Banco);
    // The statement with the values as parameters is prepared once and gives the same row as
    // the statement with the values written into it: the texts go to the database as they
    // would stand in the statement, the numbers as the exact decimals their texts denote.
    // Where that cannot be sure (a number with an exponent, a number column of another type)
    // the values are written into the statement.
    const TValoresEstoque v = Valores(CodEmpresa, CodProduto, Estoque, PrecoCusto, PrecoMedio);
    std::optional<TValue> numeros[3] = {DecimalExato(v.numeros[0]), DecimalExato(v.numeros[1]),
                                        DecimalExato(v.numeros[2])};
    if (numeros[0] && numeros[1] && numeros[2]) {
        qryGravaDados.SQL().SetText(TextoParametrizado());
        qryGravaDados.Prepare();
        bool colunasNumericas = true;
        for (size_t i = 8; i < 11; ++i)
            colunasNumericas =
                colunasNumericas && qryGravaDados.ParamTarget(i) == TIBQuery::TTarget::Number;
        if (colunasNumericas) {
            for (size_t i = 0; i < 8; ++i)
                qryGravaDados.Params(i).SetValue(TValue::Bytes(EncodeCp1252(v.textos[i])));
            for (size_t i = 0; i < 3; ++i)
                qryGravaDados.Params(8 + i).SetValue(*numeros[i]);
            qryGravaDados.ExecSQL();
            return;
        }
    }
    qryGravaDados.SQL().SetText(
        TextoEstoqueProduto(CodEmpresa, CodProduto, Estoque, PrecoCusto, PrecoMedio));
    qryGravaDados.ExecSQL();
}
