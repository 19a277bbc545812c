#include "SampleText.h"

#include <initializer_list>
#include <string_view>

namespace {

std::vector<Text> Texts(std::initializer_list<std::string_view> utf8) {
    std::vector<Text> out;
    out.reserve(utf8.size());
    for (std::string_view s : utf8)
        out.push_back(FromUtf8(s));
    return out;
}

const std::vector<Text>& MaleNames() {
    static const std::vector<Text> v = Texts(
        {"João",     "José",      "Antônio",    "Francisco", "Carlos",  "Paulo",     "Pedro",
         "Lucas",    "Luís",      "Marcos",     "Gabriel",   "Rafael",  "Daniel",    "Marcelo",
         "Bruno",    "Eduardo",   "Felipe",     "Raimundo",  "Rodrigo", "Sebastião", "Fábio",
         "Cláudio",  "Otávio",    "Hélio",      "Joaquim",   "Gonçalo", "Vinícius",  "Caio",
         "Márcio",   "André",     "Sérgio",     "Luciano",   "Élton",   "Inácio",    "Benedito",
         "Valdemar", "Conceição", "Wellington", "Ítalo",     "Severino"});
    return v;
}

const std::vector<Text>& FemaleNames() {
    static const std::vector<Text> v =
        Texts({"Maria",    "Ana",       "Francisca", "Antônia", "Adriana", "Juliana", "Márcia",
               "Fernanda", "Patrícia",  "Aline",     "Sandra",  "Camila",  "Amanda",  "Bruna",
               "Letícia",  "Luíza",     "Mônica",    "Cecília", "Inês",    "Lúcia",   "Vitória",
               "Beatriz",  "Conceição", "Débora",    "Fabíola", "Gisele",  "Helena",  "Íris",
               "Jéssica",  "Lívia",     "Natália",   "Sônia",   "Tânia",   "Vânia",   "Rosângela",
               "Joana",    "Raquel",    "Simone",    "Taís",    "Érica"});
    return v;
}

const std::vector<Text>& Surnames() {
    static const std::vector<Text> v = Texts(
        {"Silva",    "Santos",     "Oliveira",  "Souza",     "Rodrigues", "Ferreira", "Alves",
         "Pereira",  "Lima",       "Gomes",     "Costa",     "Ribeiro",   "Martins",  "Carvalho",
         "Almeida",  "Lopes",      "Soares",    "Fernandes", "Vieira",    "Barbosa",  "Rocha",
         "Dias",     "Nascimento", "Andrade",   "Moreira",   "Nunes",     "Marques",  "Machado",
         "Mendes",   "Freitas",    "Cardoso",   "Ramos",     "Gonçalves", "Araújo",   "Magalhães",
         "Simões",   "Guimarães",  "Brandão",   "Assunção",  "Galvão",    "Falcão",   "Leão",
         "Romão",    "Damásio",    "Conceição", "Camões",    "Patrício",  "Estêvão",  "Sampaio",
         "Teixeira", "Monteiro",   "Pinheiro",  "Tavares",   "Barros"});
    return v;
}

const std::vector<Text>& Particles() {
    static const std::vector<Text> v = Texts({"da", "de", "da", "de", "dos"});
    return v;
}

const std::vector<Text>& StreetKinds() {
    static const std::vector<Text> v = Texts({"Rua", "Rua", "Rua", "Avenida", "Avenida", "Travessa",
                                              "Praça", "Alameda", "Rodovia", "Estrada"});
    return v;
}

const std::vector<Text>& StreetNames() {
    static const std::vector<Text> v = Texts({"São João",
                                              "Tiradentes",
                                              "Marechal Deodoro",
                                              "Barão do Rio Branco",
                                              "Dom Pedro II",
                                              "Getúlio Vargas",
                                              "XV de Novembro",
                                              "Sete de Setembro",
                                              "das Acácias",
                                              "dos Ipês",
                                              "Nossa Senhora da Conceição",
                                              "Santos Dumont",
                                              "Rui Barbosa",
                                              "Castro Alves",
                                              "José Bonifácio",
                                              "Duque de Caxias",
                                              "Presidente Juscelino Kubitschek",
                                              "Princesa Isabel",
                                              "Visconde de Mauá",
                                              "Padre Anchieta",
                                              "Osvaldo Cruz",
                                              "Monteiro Lobato",
                                              "Cecília Meireles",
                                              "das Palmeiras",
                                              "do Comércio",
                                              "São Sebastião",
                                              "Anhanguera",
                                              "Brigadeiro Faria Lima",
                                              "Almirante Tamandaré",
                                              "Frei Caneca",
                                              "da Independência",
                                              "Coronel Antônio Simões",
                                              "Senador Feijó",
                                              "Conselheiro Lafaiete"});
    return v;
}

const std::vector<Text>& Districts() {
    static const std::vector<Text> v =
        Texts({"Centro",           "Centro",        "Jardim América",  "Vila Nova",
               "São Cristóvão",    "Boa Vista",     "Santa Cecília",   "Jardim Paulista",
               "Liberdade",        "Água Verde",    "Bela Vista",      "Vila Mariana",
               "Santo Antônio",    "Jardim Europa", "Alto da Glória",  "Cidade Nova",
               "Parque São Jorge", "Vila Operária", "Jardim Botânico", "Santa Mônica",
               "Ipiranga",         "Lapa",          "Consolação",      "Boqueirão",
               "Vila Isabel"});
    return v;
}

const std::vector<Text>& CompanyKinds() {
    static const std::vector<Text> v =
        Texts({"Distribuidora", "Comércio de", "Indústria", "Atacadista", "Representações",
               "Importadora", "Laticínios", "Indústria Alimentícia", "Metalúrgica", "Transportes",
               "Papelaria", "Ferragens", "Confecções", "Cerâmica", "Panificadora"});
    return v;
}

const std::vector<Text>& CompanyWords() {
    static const std::vector<Text> v =
        Texts({"São Jorge",     "Boa Esperança",  "Santa Luzia", "União",     "Nova Aliança",
               "Três Irmãos",   "Estrela do Sul", "Bom Jesus",   "Paraná",    "Itaú",
               "Amazônia",      "Cerrado",        "Pantanal",    "Araucária", "Mantiqueira",
               "São Francisco", "Sertão",         "Ouro Verde",  "Planalto",  "Atlântico"});
    return v;
}

const std::vector<Text>& CompanySuffixes() {
    static const std::vector<Text> v =
        Texts({"Ltda", "Ltda", "Ltda.", "S.A.", "ME", "EPP", "Eireli", "& Cia. Ltda"});
    return v;
}

const std::vector<Text>& ShopKinds() {
    static const std::vector<Text> v =
        Texts({"Mercadinho", "Padaria", "Bar e Lanchonete", "Mercearia", "Açougue", "Farmácia",
               "Loja", "Empório", "Armazém", "Restaurante"});
    return v;
}

const std::vector<Text>& Sentences() {
    static const std::vector<Text> v = Texts(
        {"Cliente desde a inauguração da loja.", "Prefere contato por telefone à tarde.",
         "Não aceita cheque; pagamento só à vista ou cartão.",
         "Entregar no endereço comercial, portão lateral.",
         "Solicitou atualização cadastral em março.", "Crédito aprovado pelo gerente após análise.",
         "Atenção: confirmar CPF/CNPJ antes de faturar.",
         "Possui débito antigo renegociado — ver ficha.", "Horário de recebimento: 8h às 11h30.",
         "Fornecedor preferencial para reposição semanal.",
         "Observação: mercadoria frágil, empilhar no máximo 4 caixas.",
         "Desconto de 5% para pagamento antecipado.",
         "Emitir nota fiscal com descrição completa do produto.",
         "Cadastro migrado do sistema antigo; revisar endereço.",
         "Ligação não atendida em três tentativas.", "Produto sujeito à substituição tributária."});
    return v;
}

// CPF and CNPJ check digit: sum of digit x weight, remainder by 11.
int CheckDigit(const std::vector<int>& digits, const std::vector<int>& weights) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i)
        sum += digits[i] * weights[i];
    const int r = sum % 11;
    return r < 2 ? 0 : 11 - r;
}

Text DigitsText(const std::vector<int>& digits) {
    Text out;
    for (int d : digits)
        out += char16_t(u'0' + d);
    return out;
}

// Applies a mask of '#' placeholders to a text of digits.
Text Mask(TextView digits, TextView mask) {
    Text out;
    size_t at = 0;
    for (char16_t c : mask)
        out += (c == u'#' && at < digits.size()) ? digits[at++] : c;
    return out;
}

Text RandomDigits(TRandom& r, int count) {
    Text out;
    for (int i = 0; i < count; ++i)
        out += char16_t(u'0' + r.Below(10));
    return out;
}

// The GS1 check digit: weights 3 and 1 alternating from the rightmost digit.
int GtinCheck(TextView digits) {
    int sum = 0;
    bool three = true;
    for (size_t i = digits.size(); i > 0; --i) {
        sum += (digits[i - 1] - u'0') * (three ? 3 : 1);
        three = !three;
    }
    return (10 - sum % 10) % 10;
}

}  // namespace

const std::vector<TCity>& Cities() {
    struct Row {
        std::string_view name, state, ibge, ddd, cep;
    };
    static const Row rows[] = {
        {"São Paulo", "SP", "3550308", "11", "01"},
        {"Rio de Janeiro", "RJ", "3304557", "21", "20"},
        {"Belo Horizonte", "MG", "3106200", "31", "30"},
        {"Curitiba", "PR", "4106902", "41", "80"},
        {"Porto Alegre", "RS", "4314902", "51", "90"},
        {"Salvador", "BA", "2927408", "71", "40"},
        {"Recife", "PE", "2611606", "81", "50"},
        {"Fortaleza", "CE", "2304400", "85", "60"},
        {"Goiânia", "GO", "5208707", "62", "74"},
        {"Belém", "PA", "1501402", "91", "66"},
        {"Manaus", "AM", "1302603", "92", "69"},
        {"Florianópolis", "SC", "4205407", "48", "88"},
        {"Vitória", "ES", "3205309", "27", "29"},
        {"São Luís", "MA", "2111300", "98", "65"},
        {"Maceió", "AL", "2704302", "82", "57"},
        {"João Pessoa", "PB", "2507507", "83", "58"},
        {"Natal", "RN", "2408102", "84", "59"},
        {"Teresina", "PI", "2211001", "86", "64"},
        {"Cuiabá", "MT", "5103403", "65", "78"},
        {"Campo Grande", "MS", "5002704", "67", "79"},
        {"Aracaju", "SE", "2800308", "79", "49"},
        {"Brasília", "DF", "5300108", "61", "70"},
        {"Londrina", "PR", "4113700", "43", "86"},
        {"Maringá", "PR", "4115200", "44", "87"},
        {"Ribeirão Preto", "SP", "3543402", "16", "14"},
        {"Campinas", "SP", "3509502", "19", "13"},
        {"Uberlândia", "MG", "3170206", "34", "38"},
        {"Joinville", "SC", "4209102", "47", "89"},
        {"Caxias do Sul", "RS", "4305108", "54", "95"},
        {"Niterói", "RJ", "3303302", "21", "24"},
        {"Santos", "SP", "3548500", "13", "11"},
        {"São José dos Campos", "SP", "3549904", "12", "12"},
        {"Juiz de Fora", "MG", "3136702", "32", "36"},
        {"Feira de Santana", "BA", "2910800", "75", "44"},
        {"Cascavel", "PR", "4104808", "45", "85"},
        {"Foz do Iguaçu", "PR", "4108304", "45", "85"},
        {"Petrópolis", "RJ", "3303906", "24", "25"},
        {"Anápolis", "GO", "5201108", "62", "75"},
        {"Maracanaú", "CE", "2307650", "85", "61"},
        {"São Gonçalo", "RJ", "3304904", "21", "24"},
    };
    static const std::vector<TCity> cities = [] {
        std::vector<TCity> out;
        for (const Row& row : rows)
            out.push_back({FromUtf8(row.name), FromUtf8(row.state), FromUtf8(row.ibge),
                           FromUtf8(row.ddd), FromUtf8(row.cep)});
        return out;
    }();
    return cities;
}

Text FirstName(TRandom& r) {
    return r.Percent(50) ? r.Pick(MaleNames()) : r.Pick(FemaleNames());
}

Text PersonName(TRandom& r, TGender gender) {
    const bool female = gender == TGender::Any ? r.Percent(50) : gender == TGender::Female;
    Text name = female ? r.Pick(FemaleNames()) : r.Pick(MaleNames());
    if (r.Percent(40))
        name += u" " + (female ? r.Pick(FemaleNames()) : r.Pick(MaleNames()));
    if (r.Percent(35))
        name += u" " + r.Pick(Particles());
    name += u" " + r.Pick(Surnames());
    if (r.Percent(60))
        name += u" " + r.Pick(Surnames());
    return Fit(name, 60);
}

Text CompanyName(TRandom& r) {
    Text name = r.Pick(CompanyKinds());
    name += u" " + r.Pick(CompanyWords());
    if (r.Percent(30))
        name += u" " + r.Pick(Surnames());
    name += u" " + r.Pick(CompanySuffixes());
    return Fit(name, 60);
}

Text TradeName(TRandom& r) {
    Text name = r.Pick(ShopKinds());
    name += u" " + r.Pick(CompanyWords());
    return Fit(name, 40);
}

Text Street(TRandom& r) {
    Text street = r.Pick(StreetKinds());
    street += u" " + r.Pick(StreetNames());
    return Fit(street, 60);
}

Text HouseNumber(TRandom& r) {
    if (r.Percent(4))
        return u"S/N";
    Text n = IntToText(r.Between(1, 4999));
    if (r.Percent(6))
        n += u"-" + Text(1, char16_t(u'A' + r.Below(4)));
    return n;
}

Text District(TRandom& r) {
    return r.Pick(Districts());
}

Text Cep(TRandom& r, const TCity& city, bool masked) {
    const Text digits = city.cepPrefix + RandomDigits(r, 6);
    return masked ? Mask(digits, u"#####-###") : digits;
}

Text Cpf(TRandom& r, bool masked) {
    std::vector<int> d;
    for (int i = 0; i < 9; ++i)
        d.push_back(int(r.Below(10)));
    d.push_back(CheckDigit(d, {10, 9, 8, 7, 6, 5, 4, 3, 2}));
    d.push_back(CheckDigit(d, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
    const Text digits = DigitsText(d);
    return masked ? Mask(digits, u"###.###.###-##") : digits;
}

Text Cnpj(TRandom& r, bool masked) {
    std::vector<int> d;
    for (int i = 0; i < 8; ++i)
        d.push_back(int(r.Below(10)));
    // Head office of the company (0001) or one of its first branches.
    for (int x : {0, 0, 0, r.Percent(85) ? 1 : int(r.Between(2, 9))})
        d.push_back(x);
    d.push_back(CheckDigit(d, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    d.push_back(CheckDigit(d, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
    const Text digits = DigitsText(d);
    return masked ? Mask(digits, u"##.###.###/####-##") : digits;
}

Text Rg(TRandom& r) {
    const Text digits = RandomDigits(r, 8);
    const uint64_t check = r.Below(11);
    return Mask(digits, u"##.###.###-") + (check == 10 ? Text(u"X") : IntToText(int64_t(check)));
}

Text StateRegistration(TRandom& r) {
    if (r.Percent(15))
        return u"ISENTO";
    return Mask(RandomDigits(r, 12), u"###.###.###.###");
}

Text Phone(TRandom& r, const TCity& city, bool mobile, bool masked) {
    Text number = mobile ? Text(u"9") : Text(1, char16_t(u'2' + r.Below(4)));
    number += RandomDigits(r, mobile ? 8 : 7);
    if (!masked)
        return city.areaCode + number;
    const Text local = mobile ? Mask(number, u"#####-####") : Mask(number, u"####-####");
    return u"(" + city.areaCode + u") " + local;
}

Text Email(TRandom& r, TextView name) {
    static const std::vector<Text> domains =
        Texts({"exemplo.com.br", "correio.exemplo.net", "mail.exemplo.org", "loja.exemplo.com"});
    Text local;
    Text word;
    std::vector<Text> words;
    for (char16_t c : AsciiLower(WithoutAccents(name)) + u" ") {
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (words.empty())
        words.push_back(u"contato");
    local = words.front();
    if (words.size() > 1)
        local += (r.Percent(50) ? u"." : u"_") + words.back();
    if (r.Percent(30))
        local += IntToText(r.Between(1, 99));
    return Fit(local, 50) + u"@" + r.Pick(domains);
}

Text Ean13(TRandom& r) {
    const Text digits = u"789" + RandomDigits(r, 9);
    return digits + char16_t(u'0' + GtinCheck(digits));
}

int64_t Dun14(TextView ean13) {
    const Text body = u"1" + Text(ean13.substr(0, 12));
    const Text code = body + char16_t(u'0' + GtinCheck(body));
    int64_t v = 0;
    for (char16_t c : code)
        v = v * 10 + (c - u'0');
    return v;
}

Text Note(TRandom& r) {
    Text out = r.Pick(Sentences());
    const int more = int(r.Below(3));
    for (int i = 0; i < more; ++i)
        out += u"\r\n" + r.Pick(Sentences());
    return out;
}

Text UpperPt(TextView s) {
    Text out(s);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
        else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            c = char16_t(c - 32);
    }
    return out;
}

Text WithoutAccents(TextView s) {
    // Latin-1 letters from U+00C0 to U+00FF and their bare letters ('-' for none).
    static constexpr char16_t kBare[] =
        u"AAAAAAACEEEEIIII-NOOOOO-OUUUUY--aaaaaaaceeeeiiii-nooooo-ouuuuy-y";
    Text out;
    for (char16_t c : s) {
        if (c >= 0xC0 && c <= 0xFF) {
            const char16_t bare = kBare[c - 0xC0];
            if (bare != u'-')
                out += bare;
        } else {
            out += c;
        }
    }
    return out;
}

Text Fit(TextView s, size_t max) {
    if (s.size() <= max)
        return Text(s);
    Text out(s.substr(0, max));
    while (!out.empty() && out.back() == u' ')
        out.pop_back();
    return out;
}

Text Zeros(int64_t value, int width) {
    Text digits = IntToText(value);
    if (digits.size() < size_t(width))
        digits.insert(0, size_t(width) - digits.size(), u'0');
    return digits;
}

Text Base36(uint64_t value, int width) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    Text out;
    do {
        out.insert(out.begin(), kDigits[value % 36]);
        value /= 36;
    } while (value > 0);
    if (out.size() < size_t(width))
        out.insert(0, size_t(width) - out.size(), u'0');
    return out;
}

std::string SampleBytes(TRandom& r, std::string_view header, size_t minLength, size_t maxLength) {
    std::string out(header);
    const size_t length = size_t(r.Between(int64_t(minLength), int64_t(maxLength)));
    while (out.size() < length)
        out.push_back(char(r.Below(256)));
    return out;
}
