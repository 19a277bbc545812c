#pragma once
// TConversao: the helper object of a conversion, created on one connection (the destination).
//
// It carries that connection (referenced, not owned) and two queries on it, QDestino (unused)
// and QAuxiliar (the registry and classification look-ups). Its operations fall into groups,
// each in a file of its own:
//   classConversao.cpp   the object, transaction operations, trigger switching, table clearing
//   TextHelpers.cpp      StrZero, TiraMascara, FRemoveCaracter, ... (pure text functions)
//   StockMovement.cpp    PGravaEstoqueProduto
//   ClassificacaoFiscal.cpp  FRetornaCodClasFis, FClassificacaoFiscal
//   Registry.cpp         FGrupo, FCidade, FFabricante, ... (look-up or create)
//   Formats.cpp          FValidaData, TrataOrdemData, FValidaTelefone, ...
//   Similarity.cpp       CalculaDiferencaStrings, RetornaSimilaridadeStrings
//   IndexFlag.cpp        PRemoveByteCDX
// The pure functions are static: they use no field of the object and never touch a database.

#include <cstdint>
#include <span>

#include "IBQuery.h"
#include "Text.h"

class TIBDatabase;
class TIBTransaction;
struct TTextosClasFisc;
struct TTextosRegistro;
struct TTextosRegistroParametro;

class TConversao {
  public:
    explicit TConversao(TIBDatabase* cBanco);
    ~TConversao();
    TConversao(const TConversao&) = delete;
    TConversao& operator=(const TConversao&) = delete;

    int32_t QuantRegistro() const { return FQuantRegistro; }
    void SetQuantRegistro(int32_t value) { FQuantRegistro = value; }
    int32_t NumRegistroAtual() const { return FNumRegistroAtual; }
    void SetNumRegistroAtual(int32_t value) { FNumRegistroAtual = value; }
    bool ErroGravacaoFlag() const { return ErroGravacao; }

    // Transactions: each acts only when it has something to do (start when not in progress,
    // commit or roll back when in progress); their errors reach the caller.
    static void PIniciaTransacao(TIBTransaction& transacao);
    static void PConfirmaTransacao(TIBTransaction& transacao);
    static void PCancelaTransacao(TIBTransaction& transacao);

    // Switch the destination's nine triggers off (on) in one transaction, started if needed
    // and committed. On any failure: the warning "Erro ao desativar as Triggers: " ("Erro ao
    // ativar as Triggers: ") with the reason, then a rollback of that transaction. They never
    // raise, not even when that rollback fails (a lost connection: the transaction is then
    // no longer in progress); the result tells whether the switch was committed, and `reason`
    // (when given) receives the error's message.
    bool DesativaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao,
                          Text* reason = nullptr);
    bool AtivaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao, Text* reason = nullptr);
    // The names of the nine triggers that the two switch, in the order they switch them.
    static std::span<const char16_t* const> Triggers();

    // Deletes every row of the table and commits the connection's default transaction. A
    // failure is shown in an error box and sets the write-error flag; it never raises.
    void PLimpaTabela(const Text& NomeTabela);

    // --- Stock movement writer ---
    // Inserts into MVGERAL of `Banco` (in its default transaction) the opening movement of a
    // product: company code ("00" when blank), agent F/000000, today's date as DDMMYYYY and
    // DD.MM.YYYY, grade 0000, type 04, and the three numbers in the general number format with
    // "." as decimal separator. Nothing is committed; errors reach the caller.
    void PGravaEstoqueProduto(TIBDatabase& Banco, const Text& CodEmpresa, const Text& CodProduto,
                              double Estoque, double PrecoCusto, double PrecoMedio);
    // The statement PGravaEstoqueProduto executes.
    static Text TextoEstoqueProduto(Text CodEmpresa, const Text& CodProduto, double Estoque,
                                    double PrecoCusto, double PrecoMedio);

    // --- Fiscal classification look-up (on QAuxiliar, in the connection's transaction) ---
    // The CLASFISC code of the NCM, created with the next code (0001 in an empty table) when
    // missing; the empty text for a blank NCM. Fails when the next code would pass 9999.
    Text FRetornaCodClasFis(const Text& ClasFis);
    // The same, the new row's CODNBM being `NBM` instead of the NCM.
    Text FClassificacaoFiscal(const Text& NCM, const Text& NBM);

    // --- Registry look-ups (on QAuxiliar, in the connection's transaction) ---
    // Each returns the code of the registry row matching the description, creating the row
    // when missing. New codes are the greatest code + 1, zero-padded to the table's width (not
    // cut when wider); the first code of an empty table is 1 at that width. Descriptions are
    // upper-cased in ASCII letters only.
    //
    // Literal look-ups: search by the description as a quoted literal; commit nothing and let
    // every error (also a greatest code that is no whole number) reach the caller.
    Text FGrupo(const Text& Grupo);          // GRUPROD, width 3
    Text FSegmento(const Text& Segmento);    // CADSEGM, width 3
    Text FClasCli(const Text& ClasCli);      // CLASCLI, first 20 characters, width 3
    Text FPais(const Text& Pais);            // PAISES, first 60 characters, width 4
    Text FLocalProd(const Text& LocalProd);  // LOCALPROD, first 20 characters, width 8
    Text FLocProd(const Text& LocProd);      // LOCPROD, first 20 characters, width 8
    // CIDADES by city and state, width 5. The city "BHTE" (exactly) not found with its state
    // takes the code of any BELO HORIZONTE row before a new city is created.
    Text FCidade(const Text& Cidade, const Text& Estado, const Text& CodMunicipio);
    //
    // Parameter look-ups: search by a parameter, the description cut but its case kept; a new
    // row is committed at once together with everything pending in the connection's default
    // transaction. Every error is caught and shown as the warning "Erro ao converter <name>.
    // Motivo: " CR <message>; the result is then the code known so far (or empty). An empty
    // description creates nothing.
    Text FFabricante(const Text& Fabricante);  // CADFABR, first 30 characters, width 5
    Text FFamilia(const Text& Familia);        // FAMILIA, first 30 characters, width 2
    // APLICACOES, first 15 characters, width 4; a new application is also linked to the
    // product in PRODAPLIC (committed again).
    Text FAplicacao(const Text& Aplicacao, const Text& CodProd);
    //
    // Look-ups with a given code: create the group (subgroup) under the code padded to 3 when
    // missing, with the description upper-cased and cut to 30; return the code as given.
    // Nothing is committed; errors reach the caller.
    Text FGrupoComCodigoPredefinido(const Text& CodGrupo, const Text& Descricao);
    // The new subgroup's codes are the last three characters of each code, padded to 3.
    Text FSubGrupoComCodigoPredefinido(const Text& CodGrupo, const Text& CodSubgrupo,
                                       const Text& Descricao);
    //
    // The unit cut to 6 characters and upper-cased, created in UNIDADES when missing (not
    // committed). An error is shown as the warning "Erro ao converter Unidade." and the unit
    // is returned all the same.
    Text FUnidade(const Text& VFUNID);
    // PDVFISC's MAQUINA of the serial number, or empty; on a query of its own; errors reach the
    // caller.
    Text FRetornaMaquina(const Text& pNumSerie);

    // --- Text normalisation (pure) ---
    static Text StrZero(Text Valor, int32_t Qtd);
    // The same padding on stored single-byte text, for code that works on the bytes.
    static std::string StrZero(std::string Valor, int32_t Qtd);
    static Text TiraMascara(Text Valor);
    static Text FRemoveCaracter(Text Valor);
    static Text FRetiraAcento(Text Valor);
    static Text FRetiraTraco(Text Valor);
    static Text FSoNumero(Text MNumero);
    static Text RemoveDuploEspaco(Text S);
    static Text FRetornaFJ(Text sCNPJ_CPF);

    // --- Date, phone and decimal formats (pure; FValidaData reads the regional settings and
    // today's date) ---
    static Text FValidaData(Text& Data);
    static Text TrataOrdemData(Text Data);
    static Text FValidaTelefone(Text Tel);
    static Text FBarraPonto(Text Valor);
    static Text FVirgulaPonto(Text Valor);
    static Text FPontoVirgula(Text Valor);

    // --- String similarity (pure) ---
    static int32_t CalculaDiferencaStrings(const Text& Str1, const Text& Str2);
    static double RetornaSimilaridadeStrings(const Text& Str1, const Text& Str2, bool IgnoreCase);

    // --- Index flag removal: clears the byte 1 at offset 28 of a table file ---
    static void PRemoveByteCDX(const Text& NomeArquivo);

  private:
    Text ClasFisc(const TTextosClasFisc& textos, const Text& ncm, const Text& nbm);
    Text RegistroLiteral(const TTextosRegistro& textos, const Text& descricao);
    Text RegistroParametro(const TTextosRegistroParametro& textos, const Text& descricao,
                           const Text& codProd);
    bool SwitchTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao, bool active,
                        Text* reason);

    int32_t FQuantRegistro = 0;
    int32_t FNumRegistroAtual = 0;
    TIBQuery QDestino;
    TIBQuery QAuxiliar;
    TIBDatabase* cnBanco;
    bool ErroGravacao = false;
};
