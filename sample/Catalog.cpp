#include "Catalog.h"

#include <initializer_list>
#include <string_view>

namespace {

std::vector<Text> Texts(std::initializer_list<std::string_view> utf8) {
    std::vector<Text> out;
    for (std::string_view s : utf8)
        out.push_back(FromUtf8(s));
    return out;
}

TCategory Category(std::string_view group, std::string_view stem, std::string_view fiscal,
                   std::string_view unit, int family, int icms, int ipi, int minCents, int maxCents,
                   bool weighed, std::initializer_list<std::string_view> items,
                   std::initializer_list<std::string_view> sizes,
                   std::initializer_list<std::string_view> makers) {
    return {FromUtf8(group),
            FromUtf8(stem),
            FromUtf8(fiscal),
            FromUtf8(unit),
            family,
            icms,
            ipi,
            minCents,
            maxCents,
            weighed,
            Texts(items),
            Texts(sizes),
            Texts(makers)};
}

}  // namespace

const std::vector<TCategory>& Categories() {
    static const std::vector<TCategory> v = {
        Category(
            "Arroz", "1006", "Arroz", "PCT", 1, 7, 0, 399, 3290, false,
            {"Arroz agulhinha tipo 1", "Arroz parboilizado", "Arroz integral", "Arroz arbóreo"},
            {"1 kg", "2 kg", "5 kg"}, {"Grão Dourado", "Vale do Arroio"}),
        Category("Feijão e grãos", "0713", "Leguminosas de vagem secas", "PCT", 1, 7, 0, 449, 1299,
                 false,
                 {"Feijão carioca", "Feijão preto", "Feijão fradinho", "Lentilha", "Grão-de-bico"},
                 {"500 g", "1 kg"}, {"Grãos do Cerrado", "Sítio Bom Retiro"}),
        Category("Açúcar", "1701", "Açúcares de cana", "PCT", 1, 7, 0, 329, 1890, false,
                 {"Açúcar cristal", "Açúcar refinado", "Açúcar mascavo", "Açúcar demerara"},
                 {"1 kg", "2 kg", "5 kg"}, {"Usina Santa Rita", "Doçura Paulista"}),
        Category("Café", "0901", "Café torrado", "PCT", 1, 12, 0, 899, 5490, false,
                 {"Café torrado e moído", "Café em grãos", "Café extraforte", "Café descafeinado"},
                 {"250 g", "500 g", "1 kg"}, {"Torrefação Santa Mônica", "Café Serra Alta"}),
        Category("Biscoitos e padaria", "1905", "Produtos de padaria e biscoitos", "PCT", 1, 12, 0,
                 249, 1190, false,
                 {"Biscoito cream cracker", "Biscoito maisena", "Bolacha recheada de chocolate",
                  "Pão de forma", "Torrada integral", "Rosquinha de coco"},
                 {"200 g", "400 g", "500 g"}, {"Biscoitos Vovó Inês", "Panificação Aurora"}),
        Category("Bebidas", "2202", "Bebidas não alcoólicas", "UN", 2, 18, 4, 199, 1290, false,
                 {"Refrigerante guaraná", "Refrigerante de cola", "Suco de caju", "Água de coco",
                  "Chá mate gelado", "Água mineral sem gás"},
                 {"350 ml", "600 ml", "1 l", "2 l"}, {"Bebidas Fonte Viva", "Guaraná Amazônia"}),
        Category("Laticínios", "0402", "Leite e creme de leite concentrados", "UN", 1, 12, 0, 399,
                 3990, false,
                 {"Leite em pó integral", "Leite condensado", "Creme de leite", "Doce de leite"},
                 {"200 g", "395 g", "800 g"}, {"Laticínios Serra Azul", "Leiteria São Bento"}),
        Category("Limpeza", "3402", "Preparações para lavagem e limpeza", "UN", 3, 18, 5, 199, 3490,
                 false,
                 {"Detergente líquido neutro", "Sabão em pó", "Amaciante de roupas",
                  "Desinfetante lavanda", "Água sanitária", "Limpador multiúso"},
                 {"500 ml", "1 l", "2 l", "1 kg"}, {"Química Brilhex", "Limpeza Cristal"}),
        Category("Higiene pessoal", "3305", "Preparações capilares", "UN", 3, 18, 7, 599, 3290,
                 false,
                 {"Xampu anticaspa", "Condicionador hidratação", "Creme para pentear",
                  "Óleo de coco capilar"},
                 {"200 ml", "350 ml", "1 l"}, {"Higiene Pétala", "Cosméticos Jasmim"}),
        Category("Papéis", "4818", "Papel higiênico e toalhas de papel", "FD", 3, 18, 0, 449, 4590,
                 false,
                 {"Papel higiênico folha dupla", "Guardanapo de papel", "Papel toalha",
                  "Lenço de papel"},
                 {"4 rolos", "12 rolos", "50 un"}, {"Papéis Nuvem Branca", "Celulose Ipê"}),
        Category("Ferragens", "7318", "Parafusos, porcas e arruelas de ferro ou aço", "CX", 4, 18,
                 5, 390, 8990, false,
                 {"Parafuso sextavado", "Porca sextavada", "Arruela lisa", "Bucha de náilon",
                  "Prego com cabeça", "Parafuso para madeira"},
                 {"1/4\"", "5/16\"", "3/8\"", "6 mm", "8 mm", "10 mm"},
                 {"Metalúrgica Aço Forte", "Fixação Gaúcha"}),
        Category("Ferramentas", "8205", "Ferramentas manuais", "UN", 4, 18, 5, 1290, 15990, false,
                 {"Martelo de unha", "Chave de fenda", "Alicate universal", "Trena de aço",
                  "Serrote", "Espátula de aço"},
                 {"6\"", "8\"", "10\"", "5 m"}, {"Ferramentas Martelo de Ouro", "Oficina Tupã"}),
        Category("Eletroportáteis", "8516", "Aquecedores elétricos e aparelhos eletrotérmicos",
                 "UN", 5, 18, 10, 4990, 39990, false,
                 {"Chuveiro elétrico", "Ferro de passar", "Cafeteira elétrica", "Sanduicheira",
                  "Secador de cabelo"},
                 {"127 V", "220 V"}, {"Eletro Lumière", "Eletrodomésticos Ipanema"}),
        Category("Utilidades domésticas", "3924", "Artigos de uso doméstico, de plástico", "UN", 4,
                 18, 10, 299, 5990, false,
                 {"Pote plástico com tampa", "Balde", "Bacia", "Escorredor de louça", "Jarra",
                  "Cesto de roupa"},
                 {"1 l", "5 l", "10 l", "20 l"}, {"Plásticos União", "Utilar Nordeste"}),
        Category("Vestuário", "6109", "Camisetas de malha", "UN", 6, 18, 0, 1990, 8990, false,
                 {"Camiseta de algodão", "Camiseta polo", "Regata", "Camiseta manga longa"},
                 {"P", "M", "G", "GG"}, {"Têxtil Águas Claras", "Malharia Pomerode"}),
        Category("Calçados", "6402", "Calçados de borracha ou plástico", "PAR", 6, 18, 0, 1490,
                 24990, false,
                 {"Chinelo de borracha", "Tênis esportivo", "Sandália", "Bota de segurança"},
                 {"35", "37", "39", "41", "43"}, {"Calçados Passo Firme", "Franca Couros"}),
        Category("Hortifrúti", "0803", "Frutas frescas", "KG", 7, 0, 0, 299, 1590, true,
                 {"Banana prata", "Maçã fuji", "Laranja pera", "Mamão formosa", "Abacaxi pérola",
                  "Limão taiti", "Manga palmer"},
                 {}, {"Ceasa Regional", "Sítio Três Irmãos"}),
        Category("Açougue", "0201", "Carnes de bovino, frescas ou refrigeradas", "KG", 7, 7, 0,
                 1990, 8990, true,
                 {"Carne bovina patinho", "Contrafilé", "Acém", "Costela bovina", "Carne moída",
                  "Músculo bovino"},
                 {}, {"Frigorífico Pampa", "Frigorífico Boa Vista"}),
        Category("Frios", "0406", "Queijos e requeijão", "KG", 7, 12, 0, 2490, 9990, true,
                 {"Queijo muçarela", "Queijo prato", "Queijo minas frescal", "Requeijão cremoso",
                  "Queijo coalho"},
                 {}, {"Laticínios Canastra", "Queijaria Serro"}),
    };
    return v;
}

std::vector<Text> AllMakers() {
    std::vector<Text> out;
    for (const TCategory& c : Categories())
        out.insert(out.end(), c.makers.begin(), c.makers.end());
    return out;
}

int MakerCode(size_t category, size_t maker) {
    int code = 1;
    for (size_t c = 0; c < category; ++c)
        code += int(Categories()[c].makers.size());
    return code + int(maker);
}

const std::vector<Text>& Families() {
    static const std::vector<Text> v =
        Texts({"Alimentos", "Bebidas", "Limpeza e higiene", "Casa e construção", "Eletroportáteis",
               "Vestuário e calçados", "Perecíveis"});
    return v;
}
