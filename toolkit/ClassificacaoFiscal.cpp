// FRetornaCodClasFis and FClassificacaoFiscal: the destination's CLASFISC code of an NCM
// code, created with the next code when missing.
#include "Error.h"
#include "classConversao.h"

namespace {

Text Blanks(int n) {
    return Text(size_t(n), u' ');
}
Text Quoted(const Text& value) {
    return u"'" + ReplaceAll(value, u"'", u"''") + u"'";
}

}  // namespace

// The statement texts and names of one of the two look-ups.
struct TTextosClasFisc {
    Text busca, maximo, insercao;
    const char16_t *campo, *pCodigo, *pNcm, *pNbm, *pNatureza;
};

namespace {

const TTextosClasFisc& TextosRetornaCodClasFis() {
    static const TTextosClasFisc t{
        u" SELECT CODCLASFIS FROM CLASFISC                     WHERE CODIGONCM = ",
        u" Select Max(CODCLASFIS) as CodClasFis From CLASFISC ",
        u" Insert Into CLASFISC (CodClasFis, CodigoNCM, CodNBM, CODNATRECEITA     )             "
        u"VALUES   (:CodClasFis, :CodigoNCM, :CodNBM, :CODNATRECEITA )",
        u"CodClasFis",
        u"CodClasFis",
        u"CodigoNCM",
        u"CodNBM",
        u"CODNATRECEITA"};
    return t;
}

const TTextosClasFisc& TextosClassificacaoFiscal() {
    static const TTextosClasFisc t{
        u" SELECT" + Blanks(17) + u"CODCLASFIS" + Blanks(24) + u"FROM" + Blanks(19) + u"CLASFISC" +
            Blanks(26) + u"WHERE CODIGONCM = ",
        u" SELECT" + Blanks(33) + u"MAX(CODCLASFIS) AS CODCLASFIS" + Blanks(37) + u"FROM" +
            Blanks(35) + u"CLASFISC" + Blanks(22),
        u" INSERT INTO CLASFISC (CODCLASFIS," + Blanks(28) + u"CODIGONCM," + Blanks(29) +
            u"CODNBM," + Blanks(32) + u"CODNATRECEITA )" + Blanks(53) + u"VALUES" + Blanks(3) +
            u"(:CODCLASFIS," + Blanks(27) + u":CODIGONCM," + Blanks(28) + u":CODNBM," + Blanks(31) +
            u":CODNATRECEITA )",
        u"CODCLASFIS",
        u"CODCLASFIS",
        u"CODIGONCM",
        u"CODNBM",
        u"CODNATRECEITA"};
    return t;
}

}  // namespace

Text TConversao::ClasFisc(const TTextosClasFisc& t, const Text& ncm, const Text& nbm) {
    if (Trim(ncm).empty())
        return Text();
    QAuxiliar.Close();
    QAuxiliar.SQL().SetText(t.busca + Quoted(ncm));
    QAuxiliar.Open();
    if (!QAuxiliar.Eof())
        return QAuxiliar.FieldByName(t.campo).AsString();

    QAuxiliar.Close();
    QAuxiliar.SQL().SetText(t.maximo);
    QAuxiliar.Open();
    Text codigo;
    if (QAuxiliar.FieldByName(t.campo).AsString().empty()) {
        codigo = u"0001";
    } else {
        const int64_t proximo = QAuxiliar.FieldByName(t.campo).AsInteger() + 1;
        // Codes are four digits: a fifth would not fit the code column nor stay in order.
        if (proximo > 9999)
            throw EError(
                T("Não há mais códigos livres na tabela CLASFISC: o próximo código seria ") +
                IntToText(proximo) + T(", e os códigos têm quatro dígitos"));
        codigo = StrZero(IntToText(proximo), 4);
    }

    QAuxiliar.Close();
    QAuxiliar.SQL().SetText(t.insercao);
    QAuxiliar.ParamByName(t.pCodigo).SetAsString(StrZero(Copy(codigo, 1, 4), 4));
    QAuxiliar.ParamByName(t.pNcm).SetAsString(Copy(Trim(ncm), 1, 8));
    QAuxiliar.ParamByName(t.pNbm).SetAsString(Copy(Trim(nbm), 1, 8));
    QAuxiliar.ParamByName(t.pNatureza).SetAsString(u"999");
    QAuxiliar.ExecSQL();
    return codigo;
}

Text TConversao::FRetornaCodClasFis(const Text& ClasFis) {
    return ClasFisc(TextosRetornaCodClasFis(), ClasFis, ClasFis);
}

Text TConversao::FClassificacaoFiscal(const Text& NCM, const Text& NBM) {
    return ClasFisc(TextosClassificacaoFiscal(), NCM, NBM);
}
