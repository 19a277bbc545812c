// The registry look-ups: found or created with the next code, their statement texts, what
// they commit and which errors they turn into warnings.
#include <gtest/gtest.h>

#include <functional>

#include "DatabaseError.h"
#include "FaultInjection.h"
#include "IBQuery.h"
#include "RecordingPlatform.h"
#include "TempDatabase.h"
#include "classConversao.h"

namespace {

// Expands "[n]" into n blanks: statement texts are written down as "SELECT X[8]FROM T".
Text Blanked(const char* pattern) {
    Text out;
    for (const char* p = pattern; *p;) {
        if (*p == '[') {
            int n = 0;
            for (++p; *p != ']'; ++p)
                n = n * 10 + (*p - '0');
            ++p;
            out.append(size_t(n), u' ');
        } else {
            const char* start = p;
            while (*p && *p != '[')
                ++p;
            out += FromUtf8(std::string_view(start, size_t(p - start)));
        }
    }
    return out;
}

class RegistryTest : public ::testing::TestWithParam<int> {
  protected:
    RegistryTest() : file(GetParam()), c(file.Path()) {}
    ~RegistryTest() override { SetStatementHook({}); }

    void Exec(TextView sql) {
        TIBQuery q;
        q.SetDatabase(&c.db);
        q.SQL().SetText(sql);
        q.ExecSQL();
    }

    // The first column of every row of `sql`, in order, read on `db`.
    static std::vector<Text> Column(TIBDatabase& db, TextView sql) {
        TIBQuery q;
        q.SetDatabase(&db);
        q.SQL().SetText(sql);
        q.Open();
        std::vector<Text> out;
        for (; !q.Eof(); q.Next())
            out.push_back(q.Fields(0).AsString());
        return out;
    }
    std::vector<Text> Column(TextView sql) { return Column(c.db, sql); }

    // The rows another connection sees: only what is committed.
    int64_t CommittedRows(TextView table) {
        TConnection other(file.Path());
        return CountRows(other.db, table);
    }

    // The statements `call` executes or opens, in order.
    std::vector<Text> Statements(const std::function<void()>& call) {
        std::vector<Text> seen;
        SetStatementHook([&](const Text& sql) { seen.push_back(sql); });
        call();
        SetStatementHook({});
        return seen;
    }

    TTempDatabase file;
    TConnection c;
    TRecordingPlatform platform;
};

using TLiteral = Text (TConversao::*)(const Text&);

struct TLiteralCase {
    const char* name;
    TLiteral lookup;
    const char16_t *table, *code, *description;
    Text input;    // upper-cased and cut on the way in
    Text stored;   // what is searched and written
    Text sameRow;  // another input for the same row
    Text first, nine, ten;
};

std::vector<TLiteralCase> LiteralCases() {
    const Text word = T("d'agua ação abcdefghijklmnopqr");  // 30 characters
    const Text wordUp = T("D'AGUA AçãO ABCDEFGHIJKLMNOPQR");
    const Text longer = T("d'agua ação abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz");
    const Text cut20 = T("D'AGUA AçãO ABCDEFGH");
    const Text cut60 = T("D'AGUA AçãO ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUV");
    return {
        {"FGrupo", &TConversao::FGrupo, u"GRUPROD", u"CODGRUPO", u"DESCRICAO", word, wordUp, wordUp,
         u"001", u"009", u"010"},
        {"FSegmento", &TConversao::FSegmento, u"CADSEGM", u"CODSEGMENTO", u"DESCRICAO", word,
         wordUp, wordUp, u"001", u"009", u"010"},
        {"FClasCli", &TConversao::FClasCli, u"CLASCLI", u"CODCLASCLI", u"DESCRICAO", longer, cut20,
         cut20 + u"-outro", u"001", u"009", u"010"},
        {"FPais", &TConversao::FPais, u"PAISES", u"CODPAIS", u"NOMEPAIS", longer, cut60,
         cut60 + u"-outro", u"0001", u"0009", u"0010"},
        {"FLocalProd", &TConversao::FLocalProd, u"LOCALPROD", u"CODLOCAL", u"DESCRICAO", longer,
         cut20, cut20 + u"-outro", u"00000001", u"00000009", u"00000010"},
        {"FLocProd", &TConversao::FLocProd, u"LOCPROD", u"CODLOCAL", u"DESCRICAO", longer, cut20,
         cut20 + u"-outro", u"00000001", u"00000009", u"00000010"},
    };
}

}  // namespace

TEST_P(RegistryTest, LiteralLookupsFindOrCreateWithTheNextCode) {
    for (const TLiteralCase& k : LiteralCases()) {
        SCOPED_TRACE(k.name);
        TTempDatabase own(GetParam());
        TConnection db(own.Path());
        TConversao conversao(&db.db);
        const Text table = k.table, code = k.code, description = k.description;
        const Text rows = u"SELECT " + code + u" || '|' || " + description + u" FROM " + table +
                          u" ORDER BY " + code;

        // Empty table: the first code, the description upper-cased in ASCII letters and cut;
        // its quote is doubled inside the literal searched.
        std::vector<Text> seen =
            Statements([&] { EXPECT_EQ((conversao.*k.lookup)(k.input), k.first); });
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_NE(seen[0].find(u"'" + ReplaceAll(k.stored, u"'", u"''") + u"'"), Text::npos)
            << ToUtf8(seen[0]);
        EXPECT_EQ(Column(db.db, rows), std::vector<Text>{k.first + u"|" + k.stored});
        EXPECT_TRUE(db.tr.InTransaction());  // nothing committed
        {
            TConnection other(own.Path());
            EXPECT_EQ(CountRows(other.db, table), 0);
        }

        // Found: the code, and nothing written.
        EXPECT_EQ((conversao.*k.lookup)(k.sameRow), k.first);
        EXPECT_EQ(Column(db.db, rows).size(), 1u);

        // The greatest code + 1, padded to the width.
        ExecStatements(db.db, {u"INSERT INTO " + table + u" (" + code + u", " + description +
                               u") VALUES ('" + k.nine + u"', 'X')"});
        EXPECT_EQ((conversao.*k.lookup)(u"novo"), k.ten);
        EXPECT_EQ(Column(db.db, rows).back(), k.ten + u"|NOVO");

        // A greatest code that is no whole number reaches the caller.
        ExecStatements(db.db, {u"INSERT INTO " + table + u" (" + code + u", " + description +
                               u") VALUES ('ZZ', 'Y')"});
        EXPECT_THROW((conversao.*k.lookup)(u"outro"), EConvertError);
        EXPECT_EQ(CountRows(db.db, table), 4);
    }
}

TEST_P(RegistryTest, ExistingRowsAreFoundAsStored) {
    ExecStatements(c.db, {u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('007', 'FERRAGENS')",
                          u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('3', 'D''AGUA')",
                          T("INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('002', 'AçãO')")});
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FGrupo(u"Ferragens"), u"007");
    EXPECT_EQ(conversao.FGrupo(u"d'agua"), u"3");  // as stored, not padded
    EXPECT_EQ(conversao.FGrupo(T("ação")), u"002");
    // Only ASCII letters change case; the greatest code is the greatest text, '3'.
    EXPECT_EQ(conversao.FGrupo(T("AÇÃO")), u"004");
    EXPECT_EQ(CountRows(c.db, u"GRUPROD"), 4);
}

TEST_P(RegistryTest, ACodeWiderThanItsColumnIsRefusedByTheDatabase) {
    ExecStatements(c.db, {u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('999', 'A')"});
    TConversao conversao(&c.db);
    try {
        conversao.FGrupo(u"B");
        ADD_FAILURE() << "no error";
    } catch (const EIBError& e) {
        EXPECT_NE(e.Message().find(u"truncation"), Text::npos) << ToUtf8(e.Message());
    }
    EXPECT_EQ(CountRows(c.db, u"GRUPROD"), 1);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_P(RegistryTest, TheNextCodeIsNotCut) {
    // A wider column keeps the code that a table of width 3 refuses.
    ExecStatements(c.db, {u"ALTER TABLE GRUPROD ALTER CODGRUPO TYPE VARCHAR(4)",
                          u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('999', 'A')"});
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FGrupo(u"B"), u"1000");
    EXPECT_EQ(Column(u"SELECT CODGRUPO FROM GRUPROD WHERE DESCRICAO = 'B'"),
              std::vector<Text>{u"1000"});
}

TEST_P(RegistryTest, CitiesMatchTheStateAndKnowBhte) {
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FCidade(u"BHTE", u"MG", u"1"), u"00001");  // no BELO HORIZONTE yet
    ExecStatements(c.db, {u"DELETE FROM CIDADES",
                          u"INSERT INTO CIDADES VALUES ('00003', 'BELO HORIZONTE', 'XX', NULL)",
                          u"INSERT INTO CIDADES VALUES ('00009', 'CONTAGEM', 'MG', '3118601')"});
    const Text rows =
        u"SELECT CODCIDADE || '|' || CIDADE || '|' || ESTADO || '|' || "
        u"COALESCE(CODMUNICIPIO, '<null>') FROM CIDADES ORDER BY CODCIDADE";
    struct {
        const char16_t *cidade, *estado, *municipio, *codigo;
    } const cases[] = {
        {u"BHTE", u"MG", u"", u"00003"},             // BELO HORIZONTE, whatever its state
        {u"contagem", u"mg", u"", u"00009"},         //
        {u"Contagem", u"sp", u"3509502", u"00010"},  // another state: another city
        {u"bhte", u"MG", u"3106200", u"00011"},      // only BHTE exactly is the abbreviation
        {u"BHTE", u"MG", u"", u"00011"},             // now found with its state
    };
    for (const auto& k : cases)
        EXPECT_EQ(conversao.FCidade(k.cidade, k.estado, k.municipio), k.codigo) << ToUtf8(k.cidade);
    EXPECT_EQ(Column(rows),
              (std::vector<Text>{u"00003|BELO HORIZONTE|XX|<null>", u"00009|CONTAGEM|MG|3118601",
                                 u"00010|CONTAGEM|SP|3509502", u"00011|BHTE|MG|3106200"}));
}

namespace {

using TParameter = Text (*)(TConversao&, const Text&);

struct TParameterCase {
    const char* name;
    TParameter lookup;
    const char16_t *table, *code, *description;
    Text input;  // cut, case kept
    Text stored;
    Text first;
    Text message;
};

std::vector<TParameterCase> ParameterCases() {
    const Text longer = T("Água d'Ouro abcdefghijklmnopqrstuvwxyz");
    return {
        {"FFabricante", [](TConversao& t, const Text& d) { return t.FFabricante(d); }, u"CADFABR",
         u"CODFABRIC", u"DESCRICAO", longer, T("Água d'Ouro abcdefghijklmnopqr"), u"00001",
         T("Erro ao converter Fabricante. Motivo: ")},
        {"FFamilia", [](TConversao& t, const Text& d) { return t.FFamilia(d); }, u"FAMILIA",
         u"CODIGO", u"DESCRICAO", longer, T("Água d'Ouro abcdefghijklmnopqr"), u"01",
         T("Erro ao converter Família. Motivo: ")},
        {"FAplicacao", [](TConversao& t, const Text& d) { return t.FAplicacao(d, u"000042"); },
         u"APLICACOES", u"CODAPLIC", u"APLICACAO", longer, T("Água d'Ouro abc"), u"0001",
         T("Erro ao converter Aplicações. Motivo: ")},
    };
}

}  // namespace

TEST_P(RegistryTest, ParameterLookupsCommitWhatTheyCreate) {
    for (const TParameterCase& k : ParameterCases()) {
        SCOPED_TRACE(k.name);
        TTempDatabase own(GetParam());
        TConnection db(own.Path());
        TConversao conversao(&db.db);
        const Text table = k.table;
        const Text rows = u"SELECT " + Text(k.code) + u" || '|' || " + k.description + u" FROM " +
                          table + u" ORDER BY 1";
        const auto committed = [&](TextView t) {
            TConnection other(own.Path());
            return CountRows(other.db, t);
        };
        const auto pending = [&] {
            TIBQuery q;
            q.SetDatabase(&db.db);
            q.SQL().SetText(u"INSERT INTO UNIDADES (UNIDADE) VALUES ('UN')");
            q.ExecSQL();
        };

        // An empty description creates nothing and shows nothing.
        EXPECT_EQ(k.lookup(conversao, u""), u"");
        EXPECT_EQ(CountRows(db.db, table), 0);

        // Created with the first code and committed, together with the pending row.
        pending();
        EXPECT_EQ(k.lookup(conversao, k.input), k.first);
        EXPECT_FALSE(db.tr.InTransaction());
        EXPECT_EQ(committed(table), 1);
        EXPECT_EQ(committed(u"UNIDADES"), 1);
        EXPECT_EQ(Column(db.db, rows), std::vector<Text>{k.first + u"|" + k.stored});

        // Found (the description cut the same way): nothing written or committed. The case is
        // kept: the upper-cased description is another row.
        ExecStatements(db.db, {u"DELETE FROM UNIDADES"});
        pending();
        EXPECT_EQ(k.lookup(conversao, k.stored + u"-outro"), k.first);
        EXPECT_TRUE(db.tr.InTransaction());
        EXPECT_EQ(committed(u"UNIDADES"), 0);
        EXPECT_EQ(CountRows(db.db, table), 1);
        EXPECT_NE(k.lookup(conversao, AsciiUpper(k.stored)), k.first);
        EXPECT_EQ(committed(table), 2);
        EXPECT_TRUE(platform.messages.empty());

        // A greatest code that is no whole number: the warning, and the code known so far.
        ExecStatements(db.db, {u"INSERT INTO " + table + u" (" + k.code + u", " + k.description +
                               u") VALUES ('ZZ', 'Z')"});
        EXPECT_EQ(k.lookup(conversao, u"novo"), u"");
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].kind, TMessageKind::Warning);
        EXPECT_EQ(platform.messages[0].text,
                  k.message + u"\r" + T("'ZZ' is not a valid integer value"));
        EXPECT_EQ(CountRows(db.db, table), 3);

        // A missing table: the database's error in the warning, an empty result.
        platform.messages.clear();
        ExecStatements(db.db, {u"DROP TABLE " + table});
        EXPECT_EQ(k.lookup(conversao, u"novo"), u"");
        ASSERT_EQ(platform.messages.size(), 1u);
        const Text& text = platform.messages[0].text;
        EXPECT_EQ(text.rfind(k.message + u"\r", 0), 0u) << ToUtf8(text);
        EXPECT_NE(text.find(table, k.message.size()), Text::npos) << ToUtf8(text);
        platform.messages.clear();
    }
}

TEST_P(RegistryTest, AFailedInsertIsShownAndItsCodeReturned) {
    // After 99 the next code is 100, which FAMILIA's two-character code refuses.
    ExecStatements(c.db, {u"INSERT INTO FAMILIA (CODIGO, DESCRICAO) VALUES ('99', 'A')"});
    TConversao conversao(&c.db);
    Exec(u"INSERT INTO UNIDADES (UNIDADE) VALUES ('UN')");
    EXPECT_EQ(conversao.FFamilia(u"B"), u"100");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind(T("Erro ao converter Família. Motivo: \r"), 0), 0u);
    EXPECT_NE(platform.messages[0].text.find(u"truncation"), Text::npos)
        << ToUtf8(platform.messages[0].text);
    EXPECT_EQ(CountRows(c.db, u"FAMILIA"), 1);
    // Nothing rolled back, nothing committed.
    EXPECT_TRUE(c.tr.InTransaction());
    EXPECT_EQ(CountRows(c.db, u"UNIDADES"), 1);
    EXPECT_EQ(CommittedRows(u"UNIDADES"), 0);

    platform.messages.clear();
    SetStatementHook([](const Text& sql) {
        if (sql.rfind(u"INSERT INTO CADFABR", 0) == 0)
            throw EDatabaseError(u"falha simulada");
    });
    EXPECT_EQ(conversao.FFabricante(u"Acme"), u"00001");
    SetStatementHook({});
    EXPECT_EQ(
        platform.messages,
        (std::vector<TRecordedMessage>{
            {TMessageKind::Warning, T("Erro ao converter Fabricante. Motivo: \rfalha simulada")}}));
    EXPECT_EQ(CountRows(c.db, u"CADFABR"), 0);
}

TEST_P(RegistryTest, ANewApplicationIsLinkedToItsProductOnce) {
    TConversao conversao(&c.db);
    const Text links = u"SELECT CODAPLIC || '|' || CODPROD FROM PRODAPLIC ORDER BY 1";
    EXPECT_EQ(conversao.FAplicacao(u"Freio dianteiro de disco", u"000042"), u"0001");
    EXPECT_EQ(conversao.FAplicacao(u"Freio traseiro", u"000043"), u"0002");
    EXPECT_FALSE(c.tr.InTransaction());
    EXPECT_EQ(conversao.FAplicacao(u"Freio dianteiro", u"000044"), u"0001");  // first 15 match
    EXPECT_EQ(CommittedRows(u"PRODAPLIC"), 2);
    EXPECT_EQ(Column(links), (std::vector<Text>{u"0001|000042", u"0002|000043"}));

    // The link fails after the application was committed: the warning, and its code.
    EXPECT_EQ(conversao.FAplicacao(u"Embreagem", u"1234567"), u"0003");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind(T("Erro ao converter Aplicações. Motivo: \r"), 0),
              0u);
    EXPECT_EQ(CommittedRows(u"APLICACOES"), 3);
    EXPECT_EQ(Column(links).size(), 2u);
}

TEST_P(RegistryTest, LookupsWithAGivenCode) {
    ExecStatements(c.db, {u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('008', 'ANTIGO')",
                          u"INSERT INTO SUBGRUP VALUES ('001', '002', 'ANTIGO')"});
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(u"5", u"Tintas"), u"5");
    EXPECT_EQ(conversao.FGrupoComCodigoPredefinido(u"08", u"Novo"), u"08");  // kept as it was
    EXPECT_EQ(
        conversao.FGrupoComCodigoPredefinido(u"012", T("ação e uma descrição bem mais longa")),
        u"012");
    EXPECT_EQ(conversao.FSubGrupoComCodigoPredefinido(u"1", u"2", u"Novo"), u"2");
    EXPECT_EQ(conversao.FSubGrupoComCodigoPredefinido(u"1234", u"7", u"Pincéis"), u"7");
    EXPECT_TRUE(c.tr.InTransaction());
    EXPECT_EQ(CommittedRows(u"GRUPROD"), 1);
    EXPECT_EQ(
        Column(u"SELECT CODGRUPO || '|' || DESCRICAO FROM GRUPROD ORDER BY 1"),
        (std::vector<Text>{u"005|TINTAS", u"008|ANTIGO", T("012|AçãO E UMA DESCRIçãO BEM MAIS ")}));
    EXPECT_EQ(Column(u"SELECT CODGRUPO || '|' || CODSUBGRUPO || '|' || DESCRICAO FROM SUBGRUP "
                     u"ORDER BY 1"),
              (std::vector<Text>{u"001|002|ANTIGO", T("234|007|PINCéIS")}));

    // The subgroup was searched under the whole group code, so it is created again.
    EXPECT_EQ(conversao.FSubGrupoComCodigoPredefinido(u"1234", u"7", u"Outro"), u"7");
    EXPECT_EQ(CountRows(c.db, u"SUBGRUP"), 3);
}

TEST_P(RegistryTest, UnitsAreTheirOwnKey) {
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FUnidade(u"unidade"), u"UNIDAD");
    EXPECT_EQ(conversao.FUnidade(u"UNIDADES"), u"UNIDAD");
    EXPECT_EQ(conversao.FUnidade(u"kg"), u"KG");
    EXPECT_EQ(Column(u"SELECT UNIDADE FROM UNIDADES ORDER BY 1"),
              (std::vector<Text>{u"KG", u"UNIDAD"}));
    EXPECT_TRUE(c.tr.InTransaction());
    EXPECT_EQ(CommittedRows(u"UNIDADES"), 0);
    EXPECT_TRUE(platform.messages.empty());

    c.tr.Commit();
    ExecStatements(c.db, {u"DROP TABLE UNIDADES"});
    EXPECT_EQ(conversao.FUnidade(u"unidade"), u"UNIDAD");
    EXPECT_EQ(
        platform.messages,
        (std::vector<TRecordedMessage>{{TMessageKind::Warning, u"Erro ao converter Unidade."}}));
}

TEST_P(RegistryTest, MachineOfASerialNumber) {
    ExecStatements(c.db, {u"INSERT INTO PDVFISC (NUMSERIE, MAQUINA) VALUES ('BE0912', '002')",
                          u"INSERT INTO PDVFISC (NUMSERIE, MAQUINA) VALUES ('BE0913', NULL)"});
    TConversao conversao(&c.db);
    EXPECT_EQ(conversao.FRetornaMaquina(u"BE0912"), u"002");
    EXPECT_EQ(conversao.FRetornaMaquina(u"BE0913"), u"");
    EXPECT_EQ(conversao.FRetornaMaquina(u"be0912"), u"");
    ExecStatements(c.db, {u"DROP TABLE PDVFISC"});
    EXPECT_THROW(conversao.FRetornaMaquina(u"BE0912"), EIBError);
}

TEST_P(RegistryTest, StatementTexts) {
    // Everything is created, so that every statement of each operation runs.
    TConversao conversao(&c.db);
    struct {
        const char* name;
        std::function<void()> call;
        std::vector<Text> statements;
    } const cases[] = {
        {"FGrupo",
         [&] { conversao.FGrupo(u"x"); },
         {Blanked(" SELECT CODGRUPO[8]FROM GRUPROD[8]WHERE DESCRICAO =[2]'X'"),
          Blanked(" SELECT MAX(CODGRUPO) AS CODGRUPO[4]FROM GRUPROD[19]"),
          Blanked(
              " INSERT INTO GRUPROD (CODGRUPO, DESCRICAO)[16]VALUES[2](:CODGRUPO, :DESCRICAO) ")}},
        {"FSegmento",
         [&] { conversao.FSegmento(u"x"); },
         {Blanked(" SELECT CODSEGMENTO[5]FROM CADSEGM[8]WHERE DESCRICAO =[2]'X'"),
          Blanked(" SELECT MAX(CODSEGMENTO) AS CODSEGMENTO[4]FROM CADSEGM[25]"),
          Blanked(" INSERT INTO CADSEGM (CODSEGMENTO, DESCRICAO)[16]VALUES[2]"
                  "(:CODSEGMENTO, :DESCRICAO) ")}},
        {"FClasCli",
         [&] { conversao.FClasCli(u"x"); },
         {Blanked(" SELECT CODCLASCLI[8]FROM CLASCLI[10]WHERE DESCRICAO[3]=[2]'X'"),
          Blanked(" SELECT MAX(CODCLASCLI) AS CODCLASCLI[4]FROM CLASCLI[23]"),
          Blanked(" INSERT INTO CLASCLI (CODCLASCLI, DESCRICAO)[17]"
                  "VALUES (:CODCLASCLI, :DESCRICAO) ")}},
        {"FPais",
         [&] { conversao.FPais(u"x"); },
         {Blanked(" SELECT CODPAIS[8]FROM PAISES[8]WHERE NOMEPAIS =[2]'X'"),
          Blanked(" SELECT MAX(CODPAIS) AS CODPAIS[4]FROM PAISES[18]"),
          Blanked(" INSERT INTO PAISES (CODPAIS, NOMEPAIS)[16]VALUES (:CODPAIS, :NOMEPAIS) ")}},
        {"FLocalProd",
         [&] { conversao.FLocalProd(u"x"); },
         {Blanked(" SELECT CODLOCAL[12]FROM LOCALPROD[10]WHERE DESCRICAO[3]=[4]'X'"),
          Blanked(" SELECT MAX(CODLOCAL) AS CODLOCAL[7]FROM LOCALPROD[20]"),
          Blanked(" INSERT INTO LOCALPROD (CODLOCAL, DESCRICAO)[17]"
                  "VALUES (:CODLOCAL, :DESCRICAO)[3]")}},
        {"FLocProd",
         [&] { conversao.FLocProd(u"x"); },
         {Blanked(" SELECT[15]CODLOCAL[5]FROM[17]LOCPROD[6]WHERE[16]DESCRICAO = 'X'"),
          Blanked(" SELECT MAX(CODLOCAL) AS CODLOCAL[5]FROM LOCPROD[20]"),
          Blanked(" INSERT INTO LOCPROD (CODLOCAL, DESCRICAO)[17]"
                  "VALUES (:CODLOCAL, :DESCRICAO) ")}},
        {"FCidade",
         [&] { conversao.FCidade(u"BHTE", u"mg", u"3106200"); },
         {Blanked(" SELECT CODCIDADE FROM CIDADES[22]WHERE CIDADE = 'BHTE'[4]AND ESTADO = 'MG'"),
          Blanked(" SELECT CODCIDADE[22]FROM CIDADES[23]WHERE CIDADE = 'BELO HORIZONTE' "),
          Blanked(" SELECT MAX(CODCIDADE) AS CODCIDADE[5]FROM CIDADES[22]"),
          Blanked(" INSERT INTO CIDADES (CODCIDADE,[27]CIDADE,[30]CODMUNICIPIO,[24]ESTADO)[22]"
                  "VALUES (:CODCIDADE,[26]:CIDADE,[29]:CODMUNICIPIO,[23]:ESTADO)[7]")}},
        {"FFabricante",
         [&] { conversao.FFabricante(u"x"); },
         {Blanked("[2]SELECT CODFABRIC[19]FROM CADFABR[20]WHERE DESCRICAO = :PFABRIC[4]"),
          Blanked("SELECT MAX(CODFABRIC) AS CODFABRIC[3]FROM CADFABR[21]"),
          Blanked("INSERT INTO CADFABR ([27]CODFABRIC, DESCRICAO)[8]VALUES([36]"
                  ":PCODFABRIC, :PFABRIC)[2]"),
          u"COMMIT"}},
        {"FFamilia",
         [&] { conversao.FFamilia(u"x"); },
         {Blanked("[2]SELECT CODIGO[23]FROM FAMILIA[21]WHERE DESCRICAO = :DESCRICAO[3]"),
          Blanked("SELECT MAX(CODIGO) AS CODIGO[3]FROM FAMILIA[15]"),
          Blanked("INSERT INTO FAMILIA ([28]CODIGO,[2]DESCRICAO)[9]VALUES([36]"
                  ":CODIGO, :DESCRICAO)[4]"),
          u"COMMIT"}},
        {"FAplicacao",
         [&] { conversao.FAplicacao(u"x", u"000001"); },
         {Blanked(" SELECT CODAPLIC[19]FROM APLICACOES[16]WHERE APLICACAO = :PAPLICACAO "),
          Blanked("SELECT MAX(CODAPLIC) AS CODAPLIC[3]FROM APLICACOES[16]"),
          Blanked("INSERT INTO APLICACOES ([25]CODAPLIC, APLICACAO)[10]VALUES([37]"
                  ":PCODAPLIC, :PAPLICACAO) "),
          u"COMMIT",
          Blanked("INSERT INTO PRODAPLIC ([24]CODAPLIC, CODPROD)[10]VALUES([35]"
                  ":PCODAPLIC, :PCODPROD) "),
          u"COMMIT"}},
        {"FGrupoComCodigoPredefinido",
         [&] { conversao.FGrupoComCodigoPredefinido(u"5", u"x"); },
         {Blanked(" SELECT DESCRICAO FROM GRUPROD[13]WHERE CODGRUPO = 005"),
          Blanked(" INSERT INTO GRUPROD (CODGRUPO, DESCRICAO)[10]VALUES[9]"
                  "(:CODGRUPO, :DESCRICAO)[2]")}},
        {"FSubGrupoComCodigoPredefinido",
         [&] { conversao.FSubGrupoComCodigoPredefinido(u"1234", u"7", u"x"); },
         {Blanked(" SELECT DESCRICAO FROM SUBGRUP[19]WHERE CODGRUPO[4]= 1234[4]"
                  "AND CODSUBGRUPO = 007"),
          Blanked(" INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO)[10]VALUES[9]"
                  "(:CODGRUPO, :CODSUBGRUPO, :DESCRICAO) ")}},
        {"FUnidade",
         [&] { conversao.FUnidade(u"x"); },
         {u"Select UNIDADE from UNIDADES Where UNIDADE = :PUNIDADE",
          u"Insert Into UNIDADES (UNIDADE) Values(:PUNIDADE)"}},
        {"FRetornaMaquina",
         [&] { conversao.FRetornaMaquina(u"x"); },
         {Blanked(" SELECT[21]\r\n[5]MAQUINA[16]\r\n FROM[23]\r\n[5]PDVFISC[16]\r\n WHERE[22]\r\n"
                  "[5]NUMSERIE[2]= :PNUMSERIE ")}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(Statements(k.call), k.statements);
    }
    EXPECT_TRUE(platform.messages.empty());

    // Two lengths counted by hand: the city insert and a line of the machine look-up.
    const Text insert = Statements([&] { conversao.FCidade(u"Z", u"ZZ", u""); }).back();
    EXPECT_EQ(insert.size(),
              32u + 27 + 7 + 30 + 13 + 24 + 7 + 22 + 19 + 26 + 8 + 29 + 14 + 23 + 8 + 7);
    EXPECT_EQ(Statements([&] { conversao.FRetornaMaquina(u"x"); })[0].size(), 6u * 28 + 5 * 2);
}

INSTANTIATE_TEST_SUITE_P(Dialects, RegistryTest, ::testing::Values(1, 3),
                         [](const auto& info) { return "Dialect" + std::to_string(info.param); });
