#include "Arguments.h"

#include <string_view>

#include "Passos.h"

namespace {

constexpr std::string_view kOrigem = "--origem";
constexpr std::string_view kDestino = "--destino";
constexpr std::string_view kHelp = "--help";

[[noreturn]] void Refuse(const std::string& message) {
    throw EUsoInvalido(FromUtf8(message));
}

// The step's place in Passos(), or nothing for a flag that is no step's.
std::optional<size_t> FindStep(std::string_view flag) {
    for (size_t i = 0; i < kQuantidadePassos; ++i)
        if (Passos()[i].flag == flag)
            return i;
    return std::nullopt;
}

}  // namespace

TArguments ParseArguments(const std::vector<std::string>& args) {
    TArguments result;
    for (const std::string& arg : args)
        if (arg == kHelp) {
            result.ajuda = true;
            return result;
        }

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("-"))
            Refuse("Argumento inesperado: " + std::string(arg));

        const size_t eq = arg.find('=');
        const std::string_view flag = arg.substr(0, eq);
        const std::optional<std::string_view> inlineValue =
            eq == std::string_view::npos ? std::nullopt
                                         : std::optional<std::string_view>(arg.substr(eq + 1));

        if (flag == kOrigem || flag == kDestino) {
            std::string_view value;
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                value = args[++i];
            } else {
                Refuse("A opção " + std::string(flag) + " precisa de um caminho.");
            }
            (flag == kOrigem ? result.origem : result.destino) = FromUtf8(value);
            continue;
        }

        const std::optional<size_t> step = FindStep(flag);
        if (!step)
            Refuse("Opção desconhecida: " + std::string(flag));
        if (inlineValue)
            Refuse("A opção " + std::string(flag) + " não aceita valor.");
        result.opcoes.set(*step);
    }
    return result;
}

std::string UsageText() {
    std::string flags;
    for (const TPasso& passo : Passos())
        flags += " [" + std::string(passo.flag) + "]";
    return "Uso: unificador --origem FILIAL.FB --destino MATRIZ.FB" + flags +
           "\n     unificador --help\n";
}

std::string HelpText() {
    std::string text =
        "unificador: unifica os dados da filial no banco de dados da matriz.\n"
        "\n"
        "Faz o mesmo que o operador na janela da ferramenta: abre o banco de dados da filial\n"
        "(origem), depois o da matriz (destino), verifica o destino como o botão \"Converter\"\n"
        "e executa a conversão. Tudo o que a conversão grava fica numa única transação do\n"
        "destino: a matriz recebe todos os registros da conversão ou nenhum. A origem só é\n"
        "lida.\n"
        "\n" +
        UsageText() +
        "\n"
        "Bancos de dados (um caminho de arquivo abre o arquivo diretamente; servidor:caminho\n"
        "usa um servidor Firebird):\n"
        "  --origem CAMINHO, --origem=CAMINHO\n"
        "      banco de dados da filial (origem). Sem ele a origem não é aberta e a conversão\n"
        "      falha na primeira leitura da origem.\n"
        "  --destino CAMINHO, --destino=CAMINHO\n"
        "      banco de dados da matriz (destino). Sem ele a conversão para no aviso de\n"
        "      caminho vazio.\n"
        "\n"
        "Passos da conversão (como as caixas da janela; executados sempre na ordem abaixo):\n";
    for (const TPasso& passo : Passos())
        text += "  " + std::string(passo.flag) + "\n      \"" + ToUtf8(passo.caixa) +
                "\": " + std::string(passo.descricao) + ".\n";
    text +=
        "\n"
        "Sem nenhum passo, a conversão não copia nada e termina com a mensagem de sucesso.\n"
        "\n"
        "  --help\n"
        "      mostra este texto e sai com o código 0.\n"
        "\n"
        "Mensagens: cada mensagem da ferramenta é uma linha com o texto exatamente como a\n"
        "janela o mostra. A mensagem de sucesso vai para a saída padrão; avisos, erros e os\n"
        "erros ao abrir um banco de dados vão para a saída de erro.\n"
        "Progresso: uma linha na saída de erro com o texto do progresso e o percentual do\n"
        "passo, redesenhada no máximo cerca de dez vezes por segundo.\n"
        "\n"
        "Códigos de saída:\n"
        "  0  a conversão terminou com \"Conversão concluída com sucesso!\"\n"
        "  1  a conversão falhou; o motivo está na saída de erro\n"
        "  2  erro de uso, ou uma verificação antes da conversão falhou (caminho do destino\n"
        "     vazio ou destino sem conexão); o aviso está na saída de erro\n";
    return text;
}
