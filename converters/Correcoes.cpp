// The three corrections of TProdutosController: stock, fiscal classification and main
// supplier of the merged products.
#include "CopiaRegistros.h"
#include "ProdutosController.h"
#include "Progresso.h"
#include "Recodificacao.h"
#include "classConversao.h"

namespace {

Text Blanks(int n) {
    return Text(size_t(n), u' ');
}

// Every parameter of `query` named `name`: a name written twice in a statement is a parameter
// per occurrence, and each of them must receive the value.
std::vector<TParam*> ParamsNamed(TIBQuery& query, const Text& name) {
    std::vector<TParam*> params;
    for (size_t i = 0; i < query.ParamCount(); ++i)
        if (SameText(query.Params(i).Name(), name))
            params.push_back(&query.Params(i));
    return params;
}

// Gives `qry` the statement made of `linhas` on `banco`: the same lines as clearing the
// statement and adding each, with the text scanned once.
void DefineLinhas(TIBQuery& qry, TIBDatabase& banco,
                  std::initializer_list<const char16_t*> linhas) {
    qry.SetDatabase(&banco);
    qry.Close();
    Text texto;
    for (const char16_t* linha : linhas)
        texto += (texto.empty() ? u"" : u"\r\n") + Text(linha);
    qry.SQL().SetText(texto);
}

// The origin's NCM of a product by its origin code, run once per product.
void MontaBuscaClasFiscAnt(TIBQuery& qryBuscaClasFisc, TIBDatabase& DbOrigem) {
    DefineLinhas(qryBuscaClasFisc, DbOrigem,
                 {u"SELECT                                        ",
                  u"    CODIGONCM                                 ",
                  u"FROM                                          ",
                  u"    CLASFISC                                  ",
                  u"LEFT JOIN PRODUTO                             ",
                  u"  ON PRODUTO.CODCLASFIS = CLASFISC.CODCLASFIS ",
                  u"WHERE                                         ",
                  u"    PRODUTO.CODPROD = :PCODPROD               "});
}

// The origin's name and tax number of a supplier by its code, run once per product.
void MontaBuscaForneceAnt(TIBQuery& qryBuscaFornece, TIBDatabase& pDbOrigem) {
    DefineLinhas(qryBuscaFornece, pDbOrigem,
                 {u"SELECT                              ", u"    FORNECE.NOME,                   ",
                  u"    FORNECE.CGCCPF                  ", u"FROM                                ",
                  u"    FORNECE                         ", u"WHERE                               ",
                  u"    FORNECE.CODFORNEC = :PCODFORNEC "});
}

// The destination's supplier code by name and tax number, run once per product.
void MontaRetornaCodFornec(TIBQuery& qryBuscaCodFornec, TIBDatabase& pDBDestino) {
    DefineLinhas(qryBuscaCodFornec, pDBDestino,
                 {u"SELECT                        ", u"    FORNECE.CODFORNEC         ",
                  u"                              ", u"FROM                          ",
                  u"    FORNECE                   ", u"WHERE                         ",
                  u"    FORNECE.NOME   = :PNOME   ", u"AND FORNECE.CGCCPF = :PCGCCPF "});
}

// The text of `field`'s value converted to text, NULL failing, for the recoded key.
Text CodigoDestino(const TField& codigoOrigem) {
    return RecodificaProduto(VarianteComoTexto(codigoOrigem));
}

}  // namespace

// ---- Stock correction ----

void TProdutosController::PMontaQueryAtualiza(TIBQuery& qryBusca, TIBQuery& qryAtualiza,
                                              const Text& vNomeTabela) {
    TSQLText& sql = qryAtualiza.SQL();
    if (vNomeTabela == u"MVGERAL") {
        sql.Add(u" UPDATE MVGERAL SET QUANTIDADE = :PQUANTIDADE, ");
        sql.Add(u"                    ESTOQANT   = :PESTOQANT,   ");
        sql.Add(u"                    SEQUENCIA  = :PSEQUENCIA,  ");
        sql.Add(u"                    PRECOMEDIO = :PPRECOMEDIO, ");
        sql.Add(u"                    PRECOCUSTO = :PPRECOCUSTO  ");
    } else {
        sql.Add(u" UPDATE " + vNomeTabela + u" SET ");
        const size_t n = qryBusca.FieldCount();
        for (size_t i = 0; i < n; ++i) {
            const Text name = qryBusca.Fields(i).FieldName();
            ExigeIdentificadorSimples(name, vNomeTabela);
            if (i + 1 < n && name != u"CODPROD")
                sql.Add(name + u" = :P" + name + u", ");
            else if (i + 1 == n)
                sql.Add(name + u" = :P" + name + u" ");
        }
    }
    sql.Add(u"                 WHERE CODPROD = :PCODPROD");
    // The movement type is a text constant: single quotes read the same in both dialects.
    if (vNomeTabela == u"MVGERAL")
        sql.Add(Blanks(16) + u"AND TIPOMOV = '04' ");
}

void TProdutosController::PAtualizaDadosMovimentações(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                      TIBTransaction&, TGauge& Barra,
                                                      TLabel& lblInfo, const Text&) {
    TIBQuery qryBusca, qryAtualiza, qryAtualizaCompProd;
    qryBusca.SetDatabase(&DbOrigem);
    qryAtualiza.SetDatabase(&DbDestino);
    qryAtualizaCompProd.SetDatabase(&DbDestino);
    BuscaProdutosBDOrigem(qryBusca, u"COMPPROD");
    TProgresso progresso(Barra, lblInfo, kPrefixoEstoque);
    progresso.Inicia(qryBusca);
    PMontaQueryAtualiza(qryBusca, qryAtualiza, u"MVGERAL");
    PMontaQueryAtualiza(qryBusca, qryAtualizaCompProd, u"COMPPROD");

    const TField codigo = qryBusca.FieldByName(u"CODPROD");
    const TField estoque = qryBusca.FieldByName(u"ESTOQUE");
    const TField precoCusto = qryBusca.FieldByName(u"PRECOCUSTO");
    const TField precoMedio = qryBusca.FieldByName(u"PRECOMEDIO");
    TParam& pQuantidade = qryAtualiza.ParamByName(u"PQUANTIDADE");
    TParam& pEstoqAnt = qryAtualiza.ParamByName(u"PESTOQANT");
    TParam& pSequencia = qryAtualiza.ParamByName(u"PSEQUENCIA");
    TParam& pPrecoCusto = qryAtualiza.ParamByName(u"PPRECOCUSTO");
    TParam& pPrecoMedio = qryAtualiza.ParamByName(u"PPRECOMEDIO");
    TParam& pCodProd = qryAtualiza.ParamByName(u"PCODPROD");

    struct TCampo {
        TField field;
        std::vector<TParam*> params;
    };
    std::vector<TCampo> campos;
    for (size_t i = 0; i < qryBusca.FieldCount(); ++i) {
        TField field = qryBusca.Fields(i);
        campos.push_back({field, ParamsNamed(qryAtualizaCompProd, u"P" + field.FieldName())});
    }

    // The row's number is the movement's SEQUENCIA.
    progresso.Percorre(qryBusca, [&](int32_t vContaRegistro) {
        pQuantidade.SetValue(estoque.AsVariant());
        pEstoqAnt.SetValue(TValue::Integer(0));
        pSequencia.SetValue(TValue::Integer(vContaRegistro));
        pPrecoCusto.SetValue(precoCusto.AsVariant());
        pPrecoMedio.SetValue(precoMedio.AsVariant());
        pCodProd.SetAsString(CodigoDestino(codigo));

        for (auto& campo : campos) {
            const Text name = campo.field.FieldName();
            TValue value = name == u"CODPROD"
                               ? TValue::FromText(RecodificaProduto(campo.field.AsString()))
                           : name == u"ESTOQUE" ? TValue::Integer(0)
                                                : campo.field.AsVariant();
            for (TParam* p : campo.params)
                p->SetValue(value);
        }
        qryAtualiza.ExecSQL();
        qryAtualizaCompProd.ExecSQL();
    });
}

// ---- Fiscal classification correction ----

Text TProdutosController::FBuscaClasFiscAnt(TIBQuery& qryBuscaClasFisc, const Text& vCodProd) {
    qryBuscaClasFisc.ParamByName(u"PCODPROD").SetAsString(vCodProd);
    qryBuscaClasFisc.Open();
    const Text vCodigoNcm = qryBuscaClasFisc.FieldByName(u"CODIGONCM").AsString();
    qryBuscaClasFisc.Close();
    return vCodigoNcm;
}

void TProdutosController::PAtualizaClasfisc(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                            TIBTransaction&, TGauge& Barra, TLabel& lblInfo,
                                            const Text&) {
    TConversao conversao(&DbDestino);
    TIBQuery qryBusca, qryAtualiza, qryBuscaClasFisc;
    qryBusca.SetDatabase(&DbOrigem);
    qryAtualiza.SetDatabase(&DbDestino);
    MontaBuscaClasFiscAnt(qryBuscaClasFisc, DbOrigem);
    BuscaProdutosBDOrigem(qryBusca, u"PRODUTO");
    TProgresso progresso(Barra, lblInfo, kPrefixoClasFisc);
    progresso.Inicia(qryBusca);
    for (const char16_t* line :
         {u"UPDATE PRODUTO SET            ", u"    CODCLASFIS = :PCODCLASFIS ",
          u"WHERE                         ", u"    CODPROD = :PCODPROD       "})
        qryAtualiza.SQL().Add(line);

    const TField codigo = qryBusca.FieldByName(u"CODPROD");
    const TField codClasFis = qryBusca.FieldByName(u"CODCLASFIS");
    TParam& pCodProd = qryAtualiza.ParamByName(u"PCODPROD");
    TParam& pCodClasFis = qryAtualiza.ParamByName(u"PCODCLASFIS");
    progresso.Percorre(qryBusca, [&](int32_t) {
        pCodProd.SetAsString(CodigoDestino(codigo));
        if (Trim(codClasFis.AsString()).empty()) {
            pCodClasFis.SetAsString(Text());
        } else {
            const Text M = FBuscaClasFiscAnt(qryBuscaClasFisc, VarianteComoTexto(codigo));
            pCodClasFis.SetAsString(Trim(M).empty() ? Text() : conversao.FRetornaCodClasFis(M));
        }
        qryAtualiza.ExecSQL();
    });
}

// ---- Main supplier correction ----

void TProdutosController::PBuscaForneceAnt(TIBQuery& qryBuscaFornece, const Text& pCodFornec,
                                           TStringList& vListaInfFornece) {
    qryBuscaFornece.ParamByName(u"PCODFORNEC").SetAsString(pCodFornec);
    qryBuscaFornece.Open();
    vListaInfFornece.SetValue(u"NOME", qryBuscaFornece.FieldByName(u"NOME").AsString());
    vListaInfFornece.SetValue(u"CGCCPF", qryBuscaFornece.FieldByName(u"CGCCPF").AsString());
    qryBuscaFornece.Close();
}

Text TProdutosController::FRetornaCodFornec(TIBQuery& qryBuscaCodFornec,
                                            TStringList& vListaInfFornece) {
    qryBuscaCodFornec.ParamByName(u"PNOME").SetAsString(vListaInfFornece.Value(u"NOME"));
    qryBuscaCodFornec.ParamByName(u"PCGCCPF").SetAsString(vListaInfFornece.Value(u"CGCCPF"));
    qryBuscaCodFornec.Open();
    const Text vCodFornec = qryBuscaCodFornec.FieldByName(u"CODFORNEC").AsString();
    qryBuscaCodFornec.Close();
    return vCodFornec;
}

Text TProdutosController::FRetornaQueryAtualiza() {
    return u" UPDATE PRODUTO SET" + Blanks(33) + u"PRODUTO.PRINCIPALFORNEC = :PPRINCIPALFORNEC" +
           Blanks(50) + u"WHERE" + Blanks(46) + u"PRODUTO.CODPROD = :PCODPROD" + Blanks(17);
}

void TProdutosController::PAtualizaDadosFornece(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                TIBTransaction&, TGauge& Barra, TLabel& lblInfo) {
    TIBQuery qryBusca, qryAtualiza, qryBuscaFornece, qryBuscaCodFornec;
    qryBusca.SetDatabase(&DbOrigem);
    qryAtualiza.SetDatabase(&DbDestino);
    MontaBuscaForneceAnt(qryBuscaFornece, DbOrigem);
    MontaRetornaCodFornec(qryBuscaCodFornec, DbDestino);
    TStringList vListaInfFornece;
    BuscaProdutosBDOrigem(qryBusca, u"PRODUTO");
    qryAtualiza.SQL().SetText(FRetornaQueryAtualiza());
    TProgresso progresso(Barra, lblInfo, kPrefixoFornecedoresProdutos);
    progresso.Inicia(qryBusca);

    const TField codigo = qryBusca.FieldByName(u"CODPROD");
    const TField principal = qryBusca.FieldByName(u"PRINCIPALFORNEC");
    TParam& pCodProd = qryAtualiza.ParamByName(u"PCODPROD");
    TParam& pPrincipal = qryAtualiza.ParamByName(u"PPRINCIPALFORNEC");
    progresso.Percorre(qryBusca, [&](int32_t) {
        // A product without a main supplier keeps none in the destination.
        const bool semFornecedor = principal.IsNull();
        if (!semFornecedor)
            PBuscaForneceAnt(qryBuscaFornece, principal.AsString(), vListaInfFornece);
        pCodProd.SetAsString(CodigoDestino(codigo));
        if (semFornecedor)
            pPrincipal.Clear();
        else
            pPrincipal.SetAsString(FRetornaCodFornec(qryBuscaCodFornec, vListaInfFornece));
        qryAtualiza.ExecSQL();
    });
}
