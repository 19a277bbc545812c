// gerar_bases: creates the sample branch and head-office databases (see DataGenerator.h).
#include <charconv>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "DataGenerator.h"
#include "Error.h"
#include "RowCounts.h"

namespace {

constexpr char kUsage[] =
    "Uso: gerar_bases --pasta PASTA [--n N] [--semente S] [--dialeto 1|3]\n"
    "\n"
    "Cria na PASTA duas bases de exemplo do esquema de varejo: FILIAL.FB (a filial, origem\n"
    "da unificação) e MATRIZ.FB (a matriz, destino), preenchidas de forma determinística a\n"
    "partir da semente: a mesma semente dá sempre as mesmas linhas.\n"
    "\n"
    "  --pasta PASTA    onde criar as bases (criada se não existir)\n"
    "  --n N            número de clientes e de produtos de cada base (padrão 300,\n"
    "                   de 1 a 1679615); fornecedores: N/40, na filial no máximo 999\n"
    "  --semente S      semente dos dados (padrão 1)\n"
    "  --dialeto 1|3    dialeto SQL das bases (padrão 1, como a maioria das bases reais)\n"
    "\n"
    "FILIAL.FB e MATRIZ.FB já existentes na pasta são substituídos somente se foram criados\n"
    "por gerar_bases; qualquer outro arquivo com esses nomes faz o programa parar sem\n"
    "apagar nada.\n";

int Usage(const std::string& problem) {
    std::cerr << "gerar_bases: " << problem << "\n\n" << kUsage;
    return 2;
}

Text PathText(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return FromUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

}  // namespace

int main(int argc, char** argv) {
    TGeneratorOptions options;
    bool haveFolder = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc)
            return Usage("falta o valor de " + std::string(arg));
        const std::string_view value = argv[++i];
        if (arg == "--pasta") {
            options.folder = std::filesystem::u8path(value);
            haveFolder = true;
        } else if (arg == "--n") {
            if (!ParseNumber(value, options.clients))
                return Usage("--n espera um número inteiro");
        } else if (arg == "--semente") {
            if (!ParseNumber(value, options.seed))
                return Usage("--semente espera um número inteiro não negativo");
        } else if (arg == "--dialeto") {
            if (!ParseNumber(value, options.dialect) ||
                (options.dialect != 1 && options.dialect != 3))
                return Usage("--dialeto espera 1 ou 3");
        } else {
            return Usage("opção desconhecida: " + std::string(arg));
        }
    }
    if (!haveFolder)
        return Usage("informe a pasta com --pasta");

    try {
        const auto start = std::chrono::steady_clock::now();
        GenerateBranchAndHeadOffice(options);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

        const Text branch = PathText(options.folder / kBranchFileName);
        const Text headOffice = PathText(options.folder / kHeadOfficeFileName);
        std::printf("Bases criadas em %.1f s (N = %lld, semente %llu, dialeto %d):\n", took.count(),
                    static_cast<long long>(options.clients),
                    static_cast<unsigned long long>(options.seed), options.dialect);
        std::cout << "  filial: " << ToUtf8(branch) << "\n"
                  << "  matriz: " << ToUtf8(headOffice) << "\n\n"
                  << FormatRowCounts({u"FILIAL", u"MATRIZ"},
                                     {CountTableRows(branch), CountTableRows(headOffice)});
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "gerar_bases: " << ToUtf8(ErrorMessage(e)) << "\n";
        return 1;
    }
}
