#include "CopiaRegistros.h"

#include "Error.h"

TIBQuery& AbreConsulta(TIBQuery& qryBusca, const Text& selectText) {
    qryBusca.SQL().Clear();
    qryBusca.SQL().Add(selectText);
    qryBusca.Open();
    return qryBusca;
}

namespace {
bool IsLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
}  // namespace

void ExigeIdentificadorSimples(const Text& name, const Text& vNomeTabela) {
    bool ok = !name.empty() && IsLetter(name[0]);
    for (char16_t c : name)
        ok = ok && (IsLetter(c) || IsDigit(c) || c == u'_' || c == u'$');
    if (!ok)
        throw EError(T("A tabela ") + vNomeTabela + T(" da origem tem a coluna \"") + name +
                     T("\", cujo nome não é um identificador simples; a tabela não pode ser "
                       "copiada"));
}

void MontaInsert(TIBQuery& qryBusca, TIBQuery& qryGrava, const Text& vNomeTabela) {
    const size_t n = qryBusca.FieldCount();
    for (size_t i = 0; i < n; ++i)
        ExigeIdentificadorSimples(qryBusca.Fields(i).FieldName(), vNomeTabela);
    qryGrava.SQL().Add(u" INSERT INTO " + vNomeTabela + u" (");
    for (size_t i = 0; i < n; ++i)
        qryGrava.SQL().Add(qryBusca.Fields(i).FieldName() + (i + 1 < n ? u", " : u""));
    qryGrava.SQL().Add(u" ) VALUES ( ");
    for (size_t i = 0; i < n; ++i)
        qryGrava.SQL().Add(u":P" + qryBusca.Fields(i).FieldName() + (i + 1 < n ? u", " : u""));
    qryGrava.SQL().Add(u" ) ");
}

TCopiaLinha::TCopiaLinha(TIBQuery& qryBusca, TIBQuery& qryGrava, const Text& keyColumn) {
    for (size_t i = 0; i < qryBusca.FieldCount(); ++i) {
        TField field = qryBusca.Fields(i);
        if (field.FieldName() == keyColumn)
            keyParam_ = &qryGrava.ParamByName(u"P" + keyColumn);
        else
            pares_.push_back({field, &qryGrava.ParamByName(u"P" + field.FieldName())});
    }
}

void TCopiaLinha::Preenche(const Text& key) {
    for (auto& par : pares_)
        par.param->SetValue(par.field.AsVariant());
    if (keyParam_)
        keyParam_->SetAsString(key);
}

Text VarianteComoTexto(const TField& field) {
    TValue v = field.AsVariant();
    if (v.IsNull())
        throw EConvertError(u"Could not convert variant of type (Null) into type (OleStr)");
    return v.ToText();
}
