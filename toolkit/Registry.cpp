// The registry look-ups: the code of a registry row matching a description, the row created
// with the next free code when missing.
#include <initializer_list>

#include "Error.h"
#include "Platform.h"
#include "classConversao.h"

// The texts and names of one literal look-up. The description is searched as a quoted literal
// appended to `busca`; the insert's parameters are named after the columns.
struct TTextosRegistro {
    const char16_t* tabela;     // the registry table the texts work on
    const char16_t* codigo;     // code column: field of the look-ups, parameter of the insert
    const char16_t* descricao;  // description column, parameter of the insert
    int corte;                  // characters of the description kept; 0 keeps all
    int largura;                // width of a new code
    const char16_t* primeiro;   // code of the first row
    Text busca, maximo, insercao;
};

// The texts and names of one parameter look-up. `vinculo`, when not empty, links a new row to
// a product under the parameters `codigoInsercao` and `produto`.
struct TTextosRegistroParametro {
    const char16_t* tabela;
    const char16_t* codigo;          // code column: field of the look-ups
    const char16_t* descricao;       // parameter of the description, in the search and insert
    const char16_t* codigoInsercao;  // parameter of the new code
    int corte;
    int largura;
    const char16_t* primeiro;
    Text mensagem;  // start of the warning shown when anything fails
    Text busca, maximo, insercao, vinculo;
    const char16_t* produto;
};

namespace {

Text Blanks(int n) {
    return Text(size_t(n), u' ');
}
Text Quoted(const Text& value) {
    return u"'" + ReplaceAll(value, u"'", u"''") + u"'";
}
Text Cut(const Text& value, int count) {
    return count > 0 ? Copy(value, 1, count) : value;
}
// The last three characters (all of them when shorter), padded to 3.
Text LastThree(const Text& code) {
    return TConversao::StrZero(code.size() > 3 ? code.substr(code.size() - 3) : code, 3);
}

struct TParametro {
    const char16_t* nome;
    Text valor;
};

// Replaces the query's text (closing it), sets the parameters and opens it; true when it
// returned a row.
bool Open(TIBQuery& q, const Text& sql, std::initializer_list<TParametro> parametros = {}) {
    q.Close();
    q.SQL().SetText(sql);
    for (const TParametro& p : parametros)
        q.ParamByName(p.nome).SetAsString(p.valor);
    q.Open();
    return !q.Eof();
}

void Exec(TIBQuery& q, const Text& sql, std::initializer_list<TParametro> parametros = {}) {
    q.Close();
    q.SQL().SetText(sql);
    for (const TParametro& p : parametros)
        q.ParamByName(p.nome).SetAsString(p.valor);
    q.ExecSQL();
}

enum class TSemMaximo { Vazio, Nulo };

// The greatest code + 1 padded to `largura` (never cut), or `primeiro` when the maximum is
// missing: empty text or NULL as `semMaximo` says. A maximum that is no whole number fails.
Text NextCode(TIBQuery& q, const Text& maximo, const char16_t* campo, int largura,
              const char16_t* primeiro, TSemMaximo semMaximo) {
    Open(q, maximo);
    const TField f = q.FieldByName(campo);
    if (semMaximo == TSemMaximo::Nulo ? f.IsNull() : f.AsString().empty())
        return primeiro;
    return TConversao::StrZero(IntToText(f.AsInteger() + 1), largura);
}

const TTextosRegistro kGrupo{
    u"GRUPROD",
    u"CODGRUPO",
    u"DESCRICAO",
    0,
    3,
    u"001",
    u" SELECT CODGRUPO" + Blanks(8) + u"FROM GRUPROD" + Blanks(8) + u"WHERE DESCRICAO =" +
        Blanks(2),
    u" SELECT MAX(CODGRUPO) AS CODGRUPO" + Blanks(4) + u"FROM GRUPROD" + Blanks(19),
    u" INSERT INTO GRUPROD (CODGRUPO, DESCRICAO)" + Blanks(16) + u"VALUES" + Blanks(2) +
        u"(:CODGRUPO, :DESCRICAO) "};

const TTextosRegistro kSegmento{
    u"CADSEGM",
    u"CODSEGMENTO",
    u"DESCRICAO",
    0,
    3,
    u"001",
    u" SELECT CODSEGMENTO" + Blanks(5) + u"FROM CADSEGM" + Blanks(8) + u"WHERE DESCRICAO =" +
        Blanks(2),
    u" SELECT MAX(CODSEGMENTO) AS CODSEGMENTO" + Blanks(4) + u"FROM CADSEGM" + Blanks(25),
    u" INSERT INTO CADSEGM (CODSEGMENTO, DESCRICAO)" + Blanks(16) + u"VALUES" + Blanks(2) +
        u"(:CODSEGMENTO, :DESCRICAO) "};

const TTextosRegistro kClasCli{
    u"CLASCLI",
    u"CODCLASCLI",
    u"DESCRICAO",
    20,
    3,
    u"001",
    u" SELECT CODCLASCLI" + Blanks(8) + u"FROM CLASCLI" + Blanks(10) + u"WHERE DESCRICAO" +
        Blanks(3) + u"=" + Blanks(2),
    u" SELECT MAX(CODCLASCLI) AS CODCLASCLI" + Blanks(4) + u"FROM CLASCLI" + Blanks(23),
    u" INSERT INTO CLASCLI (CODCLASCLI, DESCRICAO)" + Blanks(17) +
        u"VALUES (:CODCLASCLI, :DESCRICAO) "};

const TTextosRegistro kPais{
    u"PAISES",
    u"CODPAIS",
    u"NOMEPAIS",
    60,
    4,
    u"0001",
    u" SELECT CODPAIS" + Blanks(8) + u"FROM PAISES" + Blanks(8) + u"WHERE NOMEPAIS =" + Blanks(2),
    u" SELECT MAX(CODPAIS) AS CODPAIS" + Blanks(4) + u"FROM PAISES" + Blanks(18),
    u" INSERT INTO PAISES (CODPAIS, NOMEPAIS)" + Blanks(16) + u"VALUES (:CODPAIS, :NOMEPAIS) "};

const TTextosRegistro kLocalProd{
    u"LOCALPROD",
    u"CODLOCAL",
    u"DESCRICAO",
    20,
    8,
    u"00000001",
    u" SELECT CODLOCAL" + Blanks(12) + u"FROM LOCALPROD" + Blanks(10) + u"WHERE DESCRICAO" +
        Blanks(3) + u"=" + Blanks(4),
    u" SELECT MAX(CODLOCAL) AS CODLOCAL" + Blanks(7) + u"FROM LOCALPROD" + Blanks(20),
    u" INSERT INTO LOCALPROD (CODLOCAL, DESCRICAO)" + Blanks(17) +
        u"VALUES (:CODLOCAL, :DESCRICAO)" + Blanks(3)};

const TTextosRegistro kLocProd{
    u"LOCPROD",
    u"CODLOCAL",
    u"DESCRICAO",
    20,
    8,
    u"00000001",
    u" SELECT" + Blanks(15) + u"CODLOCAL" + Blanks(5) + u"FROM" + Blanks(17) + u"LOCPROD" +
        Blanks(6) + u"WHERE" + Blanks(16) + u"DESCRICAO = ",
    u" SELECT MAX(CODLOCAL) AS CODLOCAL" + Blanks(5) + u"FROM LOCPROD" + Blanks(20),
    u" INSERT INTO LOCPROD (CODLOCAL, DESCRICAO)" + Blanks(17) +
        u"VALUES (:CODLOCAL, :DESCRICAO) "};

// The city is searched together with its state, appended by FCidade.
const TTextosRegistro kCidade{
    u"CIDADES",
    u"CODCIDADE",
    u"CIDADE",
    0,
    5,
    u"00001",
    u" SELECT CODCIDADE FROM CIDADES" + Blanks(22) + u"WHERE CIDADE = ",
    u" SELECT MAX(CODCIDADE) AS CODCIDADE" + Blanks(5) + u"FROM CIDADES" + Blanks(22),
    u" INSERT INTO CIDADES (CODCIDADE," + Blanks(27) + u"CIDADE," + Blanks(30) + u"CODMUNICIPIO," +
        Blanks(24) + u"ESTADO)" + Blanks(22) + u"VALUES (:CODCIDADE," + Blanks(26) + u":CIDADE," +
        Blanks(29) + u":CODMUNICIPIO," + Blanks(23) + u":ESTADO)" + Blanks(7)};

const Text kBeloHorizonte = u" SELECT CODCIDADE" + Blanks(22) + u"FROM CIDADES" + Blanks(23) +
                            u"WHERE CIDADE = 'BELO HORIZONTE' ";

const TTextosRegistroParametro kFabricante{
    u"CADFABR",
    u"CODFABRIC",
    u"PFABRIC",
    u"PCODFABRIC",
    30,
    5,
    u"00001",
    T("Erro ao converter Fabricante. Motivo: "),
    Blanks(2) + u"SELECT CODFABRIC" + Blanks(19) + u"FROM CADFABR" + Blanks(20) +
        u"WHERE DESCRICAO = :PFABRIC" + Blanks(4),
    u"SELECT MAX(CODFABRIC) AS CODFABRIC" + Blanks(3) + u"FROM CADFABR" + Blanks(21),
    u"INSERT INTO CADFABR (" + Blanks(27) + u"CODFABRIC, DESCRICAO)" + Blanks(8) + u"VALUES(" +
        Blanks(36) + u":PCODFABRIC, :PFABRIC)" + Blanks(2),
    Text(),
    nullptr};

const TTextosRegistroParametro kFamilia{
    u"FAMILIA",
    u"CODIGO",
    u"DESCRICAO",
    u"CODIGO",
    30,
    2,
    u"01",
    T("Erro ao converter Família. Motivo: "),
    Blanks(2) + u"SELECT CODIGO" + Blanks(23) + u"FROM FAMILIA" + Blanks(21) +
        u"WHERE DESCRICAO = :DESCRICAO" + Blanks(3),
    u"SELECT MAX(CODIGO) AS CODIGO" + Blanks(3) + u"FROM FAMILIA" + Blanks(15),
    u"INSERT INTO FAMILIA (" + Blanks(28) + u"CODIGO," + Blanks(2) + u"DESCRICAO)" + Blanks(9) +
        u"VALUES(" + Blanks(36) + u":CODIGO, :DESCRICAO)" + Blanks(4),
    Text(),
    nullptr};

const TTextosRegistroParametro kAplicacao{
    u"APLICACOES",
    u"CODAPLIC",
    u"PAPLICACAO",
    u"PCODAPLIC",
    15,
    4,
    u"0001",
    T("Erro ao converter Aplicações. Motivo: "),
    u" SELECT CODAPLIC" + Blanks(19) + u"FROM APLICACOES" + Blanks(16) +
        u"WHERE APLICACAO = :PAPLICACAO ",
    u"SELECT MAX(CODAPLIC) AS CODAPLIC" + Blanks(3) + u"FROM APLICACOES" + Blanks(16),
    u"INSERT INTO APLICACOES (" + Blanks(25) + u"CODAPLIC, APLICACAO)" + Blanks(10) + u"VALUES(" +
        Blanks(37) + u":PCODAPLIC, :PAPLICACAO) ",
    u"INSERT INTO PRODAPLIC (" + Blanks(24) + u"CODAPLIC, CODPROD)" + Blanks(10) + u"VALUES(" +
        Blanks(35) + u":PCODAPLIC, :PCODPROD) ",
    u"PCODPROD"};

}  // namespace

// ---- Literal look-ups ----

Text TConversao::RegistroLiteral(const TTextosRegistro& t, const Text& descricao) {
    const Text valor = AsciiUpper(Cut(descricao, t.corte));
    if (Open(QAuxiliar, t.busca + Quoted(valor)))
        return QAuxiliar.FieldByName(t.codigo).AsString();
    const Text codigo =
        NextCode(QAuxiliar, t.maximo, t.codigo, t.largura, t.primeiro, TSemMaximo::Vazio);
    Exec(QAuxiliar, t.insercao, {{t.codigo, codigo}, {t.descricao, valor}});
    return codigo;
}

Text TConversao::FGrupo(const Text& Grupo) {
    return RegistroLiteral(kGrupo, Grupo);
}
Text TConversao::FSegmento(const Text& Segmento) {
    return RegistroLiteral(kSegmento, Segmento);
}
Text TConversao::FClasCli(const Text& ClasCli) {
    return RegistroLiteral(kClasCli, ClasCli);
}
Text TConversao::FPais(const Text& Pais) {
    return RegistroLiteral(kPais, Pais);
}
Text TConversao::FLocalProd(const Text& LocalProd) {
    return RegistroLiteral(kLocalProd, LocalProd);
}
Text TConversao::FLocProd(const Text& LocProd) {
    return RegistroLiteral(kLocProd, LocProd);
}

Text TConversao::FCidade(const Text& Cidade, const Text& Estado, const Text& CodMunicipio) {
    const TTextosRegistro& t = kCidade;
    const Text cidade = AsciiUpper(Cidade);
    const Text estado = AsciiUpper(Estado);
    if (Open(QAuxiliar, t.busca + Quoted(cidade) + Blanks(4) + u"AND ESTADO = " + Quoted(estado)))
        return QAuxiliar.FieldByName(t.codigo).AsString();
    // BHTE abbreviates Belo Horizonte: its row is taken whatever its state.
    if (Cidade == u"BHTE" && Open(QAuxiliar, kBeloHorizonte))
        return QAuxiliar.FieldByName(t.codigo).AsString();
    const Text codigo =
        NextCode(QAuxiliar, t.maximo, t.codigo, t.largura, t.primeiro, TSemMaximo::Vazio);
    Exec(QAuxiliar, t.insercao,
         {{t.codigo, codigo},
          {t.descricao, cidade},
          {u"ESTADO", estado},
          {u"CODMUNICIPIO", CodMunicipio}});
    return codigo;
}

// ---- Parameter look-ups ----

Text TConversao::RegistroParametro(const TTextosRegistroParametro& t, const Text& descricao,
                                   const Text& codProd) {
    const Text valor = Cut(descricao, t.corte);
    Text codigo;
    try {
        Open(QAuxiliar, t.busca, {{t.descricao, valor}});
        codigo = QAuxiliar.FieldByName(t.codigo).AsString();
        if (QAuxiliar.FieldByName(t.codigo).IsNull() && !valor.empty()) {
            codigo =
                NextCode(QAuxiliar, t.maximo, t.codigo, t.largura, t.primeiro, TSemMaximo::Nulo);
            Exec(QAuxiliar, t.insercao, {{t.codigoInsercao, codigo}, {t.descricao, valor}});
            // Commits the connection's default transaction, with whatever else it holds.
            Exec(QAuxiliar, u"COMMIT");
            if (!t.vinculo.empty()) {
                Exec(QAuxiliar, t.vinculo, {{t.codigoInsercao, codigo}, {t.produto, codProd}});
                Exec(QAuxiliar, u"COMMIT");
            }
        }
    } catch (const std::exception& e) {
        ShowWarning(t.mensagem + u"\r" + ErrorMessage(e));
    }
    return codigo;
}

Text TConversao::FFabricante(const Text& Fabricante) {
    return RegistroParametro(kFabricante, Fabricante, Text());
}
Text TConversao::FFamilia(const Text& Familia) {
    return RegistroParametro(kFamilia, Familia, Text());
}
Text TConversao::FAplicacao(const Text& Aplicacao, const Text& CodProd) {
    return RegistroParametro(kAplicacao, Aplicacao, CodProd);
}

// ---- Look-ups with a given code ----

Text TConversao::FGrupoComCodigoPredefinido(const Text& CodGrupo, const Text& Descricao) {
    const Text grupo = StrZero(CodGrupo, 3);
    // The code is written without quotes, as a number.
    if (!Open(QAuxiliar,
              u" SELECT DESCRICAO FROM GRUPROD" + Blanks(13) + u"WHERE CODGRUPO = " + grupo))
        Exec(QAuxiliar,
             u" INSERT INTO GRUPROD (CODGRUPO, DESCRICAO)" + Blanks(10) + u"VALUES" + Blanks(9) +
                 u"(:CODGRUPO, :DESCRICAO)" + Blanks(2),
             {{u"CODGRUPO", grupo}, {u"DESCRICAO", Copy(AsciiUpper(Descricao), 1, 30)}});
    return CodGrupo;
}

Text TConversao::FSubGrupoComCodigoPredefinido(const Text& CodGrupo, const Text& CodSubgrupo,
                                               const Text& Descricao) {
    if (!Open(QAuxiliar, u" SELECT DESCRICAO FROM SUBGRUP" + Blanks(19) + u"WHERE CODGRUPO" +
                             Blanks(4) + u"= " + StrZero(CodGrupo, 3) + Blanks(4) +
                             u"AND CODSUBGRUPO = " + StrZero(CodSubgrupo, 3)))
        Exec(QAuxiliar,
             u" INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO)" + Blanks(10) + u"VALUES" +
                 Blanks(9) + u"(:CODGRUPO, :CODSUBGRUPO, :DESCRICAO) ",
             {{u"CODGRUPO", LastThree(CodGrupo)},
              {u"CODSUBGRUPO", LastThree(CodSubgrupo)},
              {u"DESCRICAO", Copy(AsciiUpper(Descricao), 1, 30)}});
    return CodSubgrupo;
}

// ---- Units and machines ----

Text TConversao::FUnidade(const Text& VFUNID) {
    const Text unidade = AsciiUpper(Copy(VFUNID, 1, 6));
    try {
        if (!Open(QAuxiliar, u"Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE",
                  {{u"PUNIDADE", unidade}}))
            Exec(QAuxiliar, u"Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)",
                 {{u"PUNIDADE", unidade}});
    } catch (const std::exception&) {
        ShowWarning(u"Erro ao converter Unidade.");
    }
    return unidade;
}

Text TConversao::FRetornaMaquina(const Text& pNumSerie) {
    TIBQuery qryBusca;
    qryBusca.SetDatabase(cnBanco);
    qryBusca.SQL().Add(u" SELECT" + Blanks(21));
    qryBusca.SQL().Add(Blanks(5) + u"MAQUINA" + Blanks(16));
    qryBusca.SQL().Add(u" FROM" + Blanks(23));
    qryBusca.SQL().Add(Blanks(5) + u"PDVFISC" + Blanks(16));
    qryBusca.SQL().Add(u" WHERE" + Blanks(22));
    qryBusca.SQL().Add(Blanks(5) + u"NUMSERIE" + Blanks(2) + u"= :PNUMSERIE ");
    qryBusca.ParamByName(u"PNUMSERIE").SetAsString(pNumSerie);
    qryBusca.Open();
    return qryBusca.FieldByName(u"MAQUINA").AsString();
}
