#include "RetailSchema.h"

#include <stdexcept>
#include <string_view>

namespace {

// Table definitions with the placeholders {DATE}, {TIME} and {BIGINT} for the types that
// dialect 1 does not have under that name.
constexpr std::string_view kTables[] = {
    // Registries.
    R"(CREATE TABLE GRUPROD (
    CODGRUPO      VARCHAR(3) NOT NULL,
    DESCRICAO     VARCHAR(30),
    MARGEMLUCRO   NUMERIC(15,2),
    DT_CADASTRO   {DATE}
))",
    R"(CREATE TABLE SUBGRUP (
    CODGRUPO      VARCHAR(3) NOT NULL,
    CODSUBGRUPO   VARCHAR(3) NOT NULL,
    DESCRICAO     VARCHAR(30)
))",
    R"(CREATE TABLE CADSEGM (
    CODSEGMENTO   VARCHAR(3) NOT NULL,
    DESCRICAO     VARCHAR(30)
))",
    R"(CREATE TABLE CLASCLI (
    CODCLASCLI    VARCHAR(3) NOT NULL,
    DESCRICAO     VARCHAR(20),
    DESCONTO      NUMERIC(15,2)
))",
    R"(CREATE TABLE PAISES (
    CODPAIS       VARCHAR(4) NOT NULL,
    NOMEPAIS      VARCHAR(60),
    CODBACEN      VARCHAR(5)
))",
    R"(CREATE TABLE LOCALPROD (
    CODLOCAL      VARCHAR(8) NOT NULL,
    DESCRICAO     VARCHAR(20)
))",
    R"(CREATE TABLE LOCPROD (
    CODLOCAL      VARCHAR(8) NOT NULL,
    DESCRICAO     VARCHAR(20)
))",
    R"(CREATE TABLE CIDADES (
    CODCIDADE     VARCHAR(5) NOT NULL,
    CIDADE        VARCHAR(40),
    ESTADO        CHAR(2),
    CODMUNICIPIO  VARCHAR(7)
))",
    R"(CREATE TABLE CADFABR (
    CODFABRIC     VARCHAR(5) NOT NULL,
    DESCRICAO     VARCHAR(30)
))",
    R"(CREATE TABLE FAMILIA (
    CODIGO        VARCHAR(2) NOT NULL,
    DESCRICAO     VARCHAR(30)
))",
    R"(CREATE TABLE APLICACOES (
    CODAPLIC      VARCHAR(4) NOT NULL,
    APLICACAO     VARCHAR(15)
))",
    R"(CREATE TABLE PRODAPLIC (
    CODAPLIC      VARCHAR(4) NOT NULL,
    CODPROD       VARCHAR(6) NOT NULL
))",
    R"(CREATE TABLE UNIDADES (
    UNIDADE       VARCHAR(6) NOT NULL,
    DESCRICAO     VARCHAR(30),
    FRACIONADA    CHAR(1) DEFAULT 'N',
    CONSTRAINT PK_UNIDADES PRIMARY KEY (UNIDADE)
))",
    R"(CREATE TABLE PDVFISC (
    NUMSERIE      VARCHAR(20) NOT NULL,
    MAQUINA       VARCHAR(3),
    MARCA         VARCHAR(20),
    MODELO        VARCHAR(20),
    DT_INSTALACAO {DATE}
))",
    R"(CREATE TABLE CLASFISC (
    CODCLASFIS    VARCHAR(4) NOT NULL,
    CODIGONCM     VARCHAR(8),
    CODNBM        VARCHAR(8),
    CODNATRECEITA VARCHAR(3),
    DESCRICAO     VARCHAR(60),
    ALIQIPI       NUMERIC(15,2),
    CONSTRAINT PK_CLASFISC PRIMARY KEY (CODCLASFIS)
))",
    // Clients and their complements.
    R"(CREATE TABLE CLIENTE (
    CODCLIENTE    VARCHAR(8) NOT NULL,
    NOME          VARCHAR(60),
    FANTASIA      VARCHAR(40),
    TIPOPESSOA    CHAR(1) DEFAULT 'F',
    CGCCPF        VARCHAR(18),
    RGIE          VARCHAR(20),
    ENDERECO      VARCHAR(60),
    NUMERO        VARCHAR(10),
    BAIRRO        VARCHAR(40),
    CODCIDADE     VARCHAR(5),
    CEP           VARCHAR(9),
    TELEFONE      VARCHAR(15),
    EMAIL         VARCHAR(80),
    CODCLASCLI    VARCHAR(3),
    CODSEGMENTO   VARCHAR(3),
    LIMITECREDITO NUMERIC(15,2),
    SITUACAO      SMALLINT DEFAULT 1,
    DT_NASCIMENTO {DATE},
    DT_CADASTRO   {DATE},
    DT_ALTERACAO  TIMESTAMP,
    OBSERVACAO    BLOB SUB_TYPE 1 SEGMENT SIZE 80,
    CONSTRAINT PK_CLIENTE PRIMARY KEY (CODCLIENTE)
))",
    R"(CREATE TABLE COMPCLIE (
    CODCLIENTE    VARCHAR(8),
    NOMEPAI       VARCHAR(60),
    NOMEMAE       VARCHAR(60),
    LOCALTRABALHO VARCHAR(60),
    RENDA         NUMERIC(15,2),
    DIAVENCIMENTO SMALLINT,
    QTDDEPENDENTES INTEGER,
    CONCEITO      CHAR(1),
    DT_ULTCOMPRA  {DATE},
    REFERENCIAS   BLOB SUB_TYPE 1 SEGMENT SIZE 80,
    ASSINATURA    BLOB SUB_TYPE 0 SEGMENT SIZE 80
))",
    // Suppliers.
    R"(CREATE TABLE FORNECE (
    CODFORNEC     VARCHAR(6) NOT NULL,
    NOME          VARCHAR(60),
    FANTASIA      VARCHAR(40),
    CGCCPF        VARCHAR(18),
    INSCESTADUAL  VARCHAR(20),
    ENDERECO      VARCHAR(60),
    BAIRRO        VARCHAR(40),
    CODCIDADE     VARCHAR(5),
    CODPAIS       VARCHAR(4),
    CEP           VARCHAR(9),
    TELEFONE      VARCHAR(15),
    CONTATO       VARCHAR(40),
    EMAIL         VARCHAR(80),
    PRAZOENTREGA  SMALLINT,
    LIMITECOMPRA  NUMERIC(15,2),
    DT_CADASTRO   {DATE},
    OBSERVACAO    BLOB SUB_TYPE 1 SEGMENT SIZE 80,
    CONSTRAINT PK_FORNECE PRIMARY KEY (CODFORNEC)
))",
    // Products, their complements (stock and prices) and details.
    R"(CREATE TABLE PRODUTO (
    CODPROD       VARCHAR(6) NOT NULL,
    DESCRICAO     VARCHAR(60),
    DESCRICAOPDV  VARCHAR(30),
    UNIDADE       VARCHAR(6),
    CODGRUPO      VARCHAR(3),
    CODSUBGRUPO   VARCHAR(3),
    CODFABRIC     VARCHAR(5),
    CODFAMILIA    VARCHAR(2),
    CODCLASFIS    VARCHAR(4),
    PRINCIPALFORNEC VARCHAR(6),
    CODEAN        VARCHAR(14),
    REFERENCIA    VARCHAR(20),
    PESOBRUTO     NUMERIC(15,3),
    PESOLIQUIDO   NUMERIC(15,3),
    ALIQICMS      NUMERIC(15,2),
    SITUACAO      CHAR(1) DEFAULT 'A',
    DT_CADASTRO   {DATE},
    DT_ALTERACAO  TIMESTAMP,
    FOTO          BLOB SUB_TYPE 0 SEGMENT SIZE 80,
    OBSERVACAO    BLOB SUB_TYPE 1 SEGMENT SIZE 80,
    CONSTRAINT PK_PRODUTO PRIMARY KEY (CODPROD)
))",
    R"(CREATE TABLE COMPPROD (
    CODPROD       VARCHAR(6),
    CODEMPRESA    VARCHAR(2),
    ESTOQUE       NUMERIC(15,3),
    ESTOQUEMINIMO NUMERIC(15,3),
    PRECOCUSTO    NUMERIC(15,4),
    PRECOMEDIO    NUMERIC(15,4),
    PRECOVENDA    NUMERIC(15,2),
    MARGEMLUCRO   DOUBLE PRECISION,
    CODLOCAL      VARCHAR(8),
    DT_ULTCOMPRA  {DATE},
    DT_ULTVENDA   {DATE}
))",
    R"(CREATE TABLE PRODUTODETALHE (
    CODPROD       VARCHAR(6),
    CODAPLIC      VARCHAR(4),
    GARANTIAMESES SMALLINT,
    ALTURA        NUMERIC(15,3),
    LARGURA       NUMERIC(15,3),
    PROFUNDIDADE  DOUBLE PRECISION,
    CODDUN        {BIGINT},
    HORAALTERACAO {TIME},
    DESCRICAOTECNICA BLOB SUB_TYPE 1 SEGMENT SIZE 80
))",
    // Stock movements.
    R"(CREATE TABLE MVGERAL (
    CODEMPRESA    VARCHAR(2),
    TIPOAGENTE    CHAR(1),
    CODIGOAGENTE  VARCHAR(6),
    DOCUMENTO     VARCHAR(10),
    CODPROD       VARCHAR(6),
    CODGRADE      VARCHAR(4),
    DT_MOVIMENTO  {DATE},
    HORA          {TIME},
    TIPOMOV       VARCHAR(2),
    QUANTIDADE    DOUBLE PRECISION,
    ESTOQANT      DOUBLE PRECISION,
    SEQUENCIA     INTEGER,
    PRECOCUSTO    NUMERIC(15,4),
    PRECOMEDIO    NUMERIC(15,4),
    PRECOVENDA    NUMERIC(15,2),
    CANCELADO     CHAR(1) DEFAULT 'N'
))",
    R"(CREATE TABLE TRIGGER_LOG (
    TRIGGER_NAME  VARCHAR(31),
    CHAVE         VARCHAR(40)
))",
};

constexpr std::string_view kIndexes[] = {
    "CREATE INDEX IX_COMPCLIE_CODCLIENTE ON COMPCLIE (CODCLIENTE)",
    "CREATE INDEX IX_FORNECE_NOME ON FORNECE (NOME)",
    "CREATE INDEX IX_COMPPROD_CODPROD ON COMPPROD (CODPROD)",
    "CREATE INDEX IX_PRODUTODETALHE_CODPROD ON PRODUTODETALHE (CODPROD)",
    "CREATE INDEX IX_MVGERAL_CODPROD_TIPOMOV ON MVGERAL (CODPROD, TIPOMOV)",
    "CREATE INDEX IX_CLASFISC_CODIGONCM ON CLASFISC (CODIGONCM)",
};

struct TriggerDef {
    std::string_view name;
    std::string_view table;
    std::string_view event;  // e.g. "AFTER INSERT"
    std::string_view key;    // the logged value, e.g. "NEW.CODPROD"
};

// The bodies use no colon: the database layer would read ":name" as a statement parameter.
constexpr TriggerDef kTriggers[] = {
    {"PRODUTO_BI0", "PRODUTO", "BEFORE INSERT", "NEW.CODPROD"},
    {"MVGERAL_AD0", "MVGERAL", "AFTER DELETE", "OLD.CODPROD"},
    {"MVGERAL_AI0", "MVGERAL", "AFTER INSERT", "NEW.CODPROD"},
    {"MVGERAL_AU0", "MVGERAL", "AFTER UPDATE", "NEW.CODPROD"},
    {"MVGERAL_BD0", "MVGERAL", "BEFORE DELETE", "OLD.CODPROD"},
    {"MVGERAL_BI0", "MVGERAL", "BEFORE INSERT", "NEW.CODPROD"},
    {"MVGERAL_BU0", "MVGERAL", "BEFORE UPDATE", "NEW.CODPROD"},
    {"COMPCLIE_AI0", "COMPCLIE", "AFTER INSERT", "NEW.CODCLIENTE"},
    {"COMPCLIE_AU0", "COMPCLIE", "AFTER UPDATE", "NEW.CODCLIENTE"},
};

Text TriggerStatement(const TriggerDef& t) {
    std::string s;
    s += "CREATE TRIGGER ";
    s += t.name;
    s += " FOR ";
    s += t.table;
    s += "\nACTIVE ";
    s += t.event;
    s += " POSITION 0\nAS\nBEGIN\n    INSERT INTO TRIGGER_LOG (TRIGGER_NAME, CHAVE) VALUES ('";
    s += t.name;
    s += "', ";
    s += t.key;
    s += ");\nEND";
    return FromUtf8(s);
}

}  // namespace

std::vector<Text> RetailSchemaStatements(int dialect) {
    if (dialect != 1 && dialect != 3) {
        throw std::invalid_argument("RetailSchemaStatements: dialect must be 1 or 3");
    }
    const bool d1 = dialect == 1;
    std::vector<Text> out;
    for (std::string_view table : kTables) {
        Text s = FromUtf8(table);
        s = ReplaceAll(s, u"{DATE}", d1 ? u"TIMESTAMP" : u"DATE");
        s = ReplaceAll(s, u"{TIME}", d1 ? u"TIMESTAMP" : u"TIME");
        s = ReplaceAll(s, u"{BIGINT}", d1 ? u"DOUBLE PRECISION" : u"BIGINT");
        out.push_back(std::move(s));
    }
    for (std::string_view index : kIndexes)
        out.push_back(FromUtf8(index));
    for (const TriggerDef& t : kTriggers)
        out.push_back(TriggerStatement(t));
    return out;
}

std::vector<Text> RetailTableNames() {
    return {u"GRUPROD",  u"SUBGRUP",  u"CADSEGM",        u"CLASCLI", u"PAISES",     u"LOCALPROD",
            u"LOCPROD",  u"CIDADES",  u"CADFABR",        u"FAMILIA", u"APLICACOES", u"PRODAPLIC",
            u"UNIDADES", u"PDVFISC",  u"CLASFISC",       u"CLIENTE", u"COMPCLIE",   u"FORNECE",
            u"PRODUTO",  u"COMPPROD", u"PRODUTODETALHE", u"MVGERAL", u"TRIGGER_LOG"};
}

std::vector<Text> RetailTriggerNames() {
    std::vector<Text> out;
    for (const TriggerDef& t : kTriggers)
        out.push_back(FromUtf8(t.name));
    return out;
}
