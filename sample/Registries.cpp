#include <initializer_list>
#include <string_view>

#include "Catalog.h"
#include "FillStore.h"
#include "SampleText.h"
#include "SampleValues.h"
#include "TableWriter.h"

namespace {

// Rows of a code and a description, the code being the position + 1 padded to `width`.
void WriteCoded(TIBDatabase& db, TextView table, TextView codeColumn, TextView textColumn,
                int width, const std::vector<Text>& descriptions) {
    TTableWriter w(db, table, {codeColumn, textColumn});
    for (size_t i = 0; i < descriptions.size(); ++i)
        w.Write({Str(Zeros(int64_t(i + 1), width)), Str(descriptions[i])});
    w.Commit();
}

std::vector<Text> Texts(std::initializer_list<std::string_view> utf8) {
    std::vector<Text> out;
    for (std::string_view s : utf8)
        out.push_back(FromUtf8(s));
    return out;
}

void FillGroups(TIBDatabase& db, TRandom& r) {
    const auto& categories = Categories();
    TTableWriter groups(db, u"GRUPROD",
                        {u"CODGRUPO", u"DESCRICAO", u"MARGEMLUCRO", u"DT_CADASTRO"});
    TTableWriter subgroups(db, u"SUBGRUP", {u"CODGRUPO", u"CODSUBGRUPO", u"DESCRICAO"});
    const std::vector<Text> lines =
        Texts({"Linha econômica", "Linha tradicional", "Linha premium"});
    for (size_t c = 0; c < categories.size(); ++c) {
        const Text code = Zeros(int64_t(c + 1), 3);
        groups.Write({Str(code), Str(UpperPt(categories[c].group)),
                      Sometimes(r, 80, [&] { return Dec(r.Between(1500, 6000), 2); }),
                      RandomDate(r, 2000, 2010)});
        for (int s = 0; s < kSubgroupsPerGroup; ++s)
            subgroups.Write({Str(code), Str(Zeros(s + 1, 3)), Str(lines[size_t(s)])});
    }
    groups.Commit();
}

}  // namespace

void FillRegistries(TIBDatabase& db, const TStorePlan& plan) {
    // One stream for both stores: the registries of a chain's stores agree.
    TRandom r(plan.seed, "REGISTROS");
    FillGroups(db, r);

    WriteCoded(db, u"CADSEGM", u"CODSEGMENTO", u"DESCRICAO", 3,
               Texts({"Varejo", "Atacado", "Construtora", "Restaurante", "Órgão público"}));
    {
        TTableWriter w(db, u"CLASCLI", {u"CODCLASCLI", u"DESCRICAO", u"DESCONTO"});
        const std::vector<Text> names = Texts({"Ouro", "Prata", "Bronze", "Comum"});
        const int discounts[] = {500, 300, 150, 0};
        for (int i = 0; i < kClientClasses; ++i)
            w.Write({Str(Zeros(i + 1, 3)), Str(names[size_t(i)]), Dec(discounts[i], 2)});
        w.Commit();
    }
    {
        TTableWriter w(db, u"PAISES", {u"CODPAIS", u"NOMEPAIS", u"CODBACEN"});
        struct Row {
            std::string_view code, name;
        };
        const Row rows[] = {{"1058", "Brasil"},   {"0639", "Argentina"},
                            {"5860", "Paraguai"}, {"8451", "Uruguai"},
                            {"1600", "China"},    {"2496", "Estados Unidos da América"},
                            {"6076", "Portugal"}};
        for (const Row& row : rows)
            w.Write(
                {Str(FromUtf8(row.code)), Str(FromUtf8(row.name)), Str(u"0" + FromUtf8(row.code))});
        w.Commit();
    }
    const std::vector<Text> places = Texts({"Loja", "Depósito", "Câmara fria", "Gôndola central"});
    WriteCoded(db, u"LOCALPROD", u"CODLOCAL", u"DESCRICAO", 2, places);
    WriteCoded(db, u"LOCPROD", u"CODLOCAL", u"DESCRICAO", 2, places);
    {
        TTableWriter w(db, u"CIDADES", {u"CODCIDADE", u"CIDADE", u"ESTADO", u"CODMUNICIPIO"});
        const auto& cities = Cities();
        for (size_t i = 0; i < cities.size(); ++i)
            w.Write({Str(Zeros(int64_t(i + 1), 5)), Str(UpperPt(cities[i].name)),
                     Str(cities[i].state), Str(cities[i].ibgeCode)});
        w.Commit();
    }
    WriteCoded(db, u"CADFABR", u"CODFABRIC", u"DESCRICAO", 5, AllMakers());
    WriteCoded(db, u"FAMILIA", u"CODIGO", u"DESCRICAO", 2, Families());
    WriteCoded(db, u"APLICACOES", u"CODAPLIC", u"APLICACAO", 4,
               Texts({"Uso doméstico", "Profissional", "Construção", "Alimentação",
                      "Higiene pessoal", "Automotivo"}));
    {
        TTableWriter w(db, u"UNIDADES", {u"UNIDADE", u"DESCRICAO", u"FRACIONADA"});
        struct Row {
            std::string_view code, name, fractional;
        };
        const Row rows[] = {
            {"UN", "Unidade", "N"}, {"KG", "Quilograma", "S"}, {"PCT", "Pacote", "N"},
            {"CX", "Caixa", "N"},   {"LT", "Litro", "S"},      {"FD", "Fardo", "N"},
            {"PAR", "Par", "N"},    {"MT", "Metro", "S"},      {"DZ", "Dúzia", "N"}};
        for (const Row& row : rows)
            w.Write(
                {Str(FromUtf8(row.code)), Str(FromUtf8(row.name)), Str(FromUtf8(row.fractional))});
        w.Commit();
    }
    {
        TTableWriter w(db, u"PDVFISC",
                       {u"NUMSERIE", u"MAQUINA", u"MARCA", u"MODELO", u"DT_INSTALACAO"});
        const std::vector<Text> makes = Texts({"Fiscalis", "Tecnoprint"});
        for (int i = 1; i <= 3; ++i)
            w.Write({Str(u"FS" + Zeros(r.Between(0, 99999999), 8) + Zeros(i, 4)), Str(Zeros(i, 3)),
                     Str(r.Pick(makes)), Str(u"FP-" + IntToText(r.Between(10, 99)) + u"00"),
                     RandomDate(r, 2015, 2022)});
        w.Commit();
    }
}
