// PGravaEstoqueProduto: a product's opening stock movement in MVGERAL.
#include "Clock.h"
#include "FormatSettings.h"
#include "IBDatabase.h"
#include "classConversao.h"

namespace {

// The fixed head of the statement: each piece after its run of blanks.
Text Cabecalho() {
    static const std::pair<int, const char16_t*> kPieces[] = {
        {0, u"INSERT INTO MVGERAL ("},
        {88, u"CODEMPRESA,"},
        {77, u"TIPOAGENTE,"},
        {77, u"CODIGOAGENTE,"},
        {75, u"DOCUMENTO,"},
        {78, u"CODPROD,"},
        {80, u"CODGRADE,"},
        {79, u"DT_MOVIMENTO,"},
        {75, u"TIPOMOV,"},
        {80, u"QUANTIDADE,"},
        {77, u"PRECOCUSTO,"},
        {77, u"PRECOMEDIO)"},
        {63, u"VALUES ( "},
    };
    Text head;
    for (const auto& [blanks, text] : kPieces)
        head += Text(size_t(blanks), u' ') + text;
    return head;
}

Text Quoted(const Text& value) {
    return u"'" + ReplaceAll(value, u"'", u"''") + u"'";
}

}  // namespace

Text TConversao::CabecalhoEstoque() {
    static const Text head = Cabecalho();
    return head;
}

Text TConversao::TextoEstoqueProduto(Text CodEmpresa, const Text& CodProduto, double Estoque,
                                     double PrecoCusto, double PrecoMedio) {
    if (Trim(CodEmpresa).empty())
        CodEmpresa = u"00";
    // One reading of the clock for both dates. The dates are written day first with fixed
    // separators, whatever the regional date separator: eight digits, and dots, the form the
    // database reads day first.
    const TCivilDate hoje = Today();
    const Text documento =
        FormatDateTime(u"dd", hoje) + FormatDateTime(u"mm", hoje) + FormatDateTime(u"yyyy", hoje);
    const Text movimento = FormatDateTime(u"dd", hoje) + u"." + FormatDateTime(u"mm", hoje) + u"." +
                           FormatDateTime(u"yyyy", hoje);
    Text sql = CabecalhoEstoque();
    sql += Quoted(CodEmpresa) + u", " + Quoted(u"F") + u", " + Quoted(u"000000") + u", " +
           Quoted(documento) + u", " + Quoted(CodProduto) + u", " + Quoted(u"0000") + u", " +
           Quoted(movimento) + u", " + Quoted(u"04");
    for (double number : {Estoque, PrecoCusto, PrecoMedio})
        sql += u", " + FormatGeneral(number, u'.');
    return sql + u") ";
}

void TConversao::PGravaEstoqueProduto(TIBDatabase& Banco, const Text& CodEmpresa,
                                      const Text& CodProduto, double Estoque, double PrecoCusto,
                                      double PrecoMedio) {
    TIBQuery qryGravaDados;
    qryGravaDados.SetDatabase(&Banco);
    qryGravaDados.SQL().SetText(
        TextoEstoqueProduto(CodEmpresa, CodProduto, Estoque, PrecoCusto, PrecoMedio));
    qryGravaDados.ExecSQL();
}
