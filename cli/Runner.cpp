#include "Runner.h"

#include <exception>
#include <optional>

#include "Arguments.h"
#include "ClassesConversaoController.h"
#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Operacoes.h"
#include "StringList.h"
#include "TerminalPlatform.h"

namespace {

// "Abrir" after the file was chosen; a file not given is a cancelled dialog. An error is shown
// as the window's default error display would show it, and the sequence goes on. The opened
// destination is checked for switched-off triggers, as the window does.
void Abre(TIBTransaction& transacao, TIBDatabase& banco, const std::optional<Text>& caminho,
          bool destino) {
    try {
        PreparaAbertura(transacao, banco);
        if (caminho) {
            ConectaBanco(transacao, banco, *caminho);
            if (destino)
                VerificaTriggersDesativadas(banco);
        }
    } catch (const std::exception& e) {
        Platform().ShowUnhandledError(ErrorMessage(e));
    }
}

int Converte(const TArguments& argumentos, TTerminalProgress& progresso) {
    // Connections before transactions, so that the transactions end (with their default
    // action) while their connections are still there.
    TIBDatabase ibdOrigem;
    TIBDatabase ibdResulth;
    TIBTransaction ibtTransacaoOrigem;
    TIBTransaction ibtTransacaoResulth;
    ConfiguraConexao(ibdOrigem, ibtTransacaoOrigem);
    ConfiguraConexao(ibdResulth, ibtTransacaoResulth);

    Abre(ibtTransacaoOrigem, ibdOrigem, argumentos.origem, false);
    Abre(ibtTransacaoResulth, ibdResulth, argumentos.destino, true);

    if (VerificaCaminhoBDVazio(argumentos.destino.value_or(Text())))
        return 2;
    if (VerificaConexaoBD(ibdResulth))
        return 2;

    TStringList MParams;
    pIniciaListaParametros(MParams);
    pCarregaParametros(MParams, argumentos.opcoes);

    try {
        TClassesConversaoController conversao;
        const bool sucesso =
            conversao.FEfetuaConversao(MParams, ibdOrigem, ibdResulth, ibtTransacaoResulth,
                                       progresso.Gauge(), progresso.Label());
        return sucesso ? 0 : 1;
    } catch (const std::exception& e) {
        // What the run does not catch (starting its transaction) reaches the default display.
        Platform().ShowUnhandledError(ErrorMessage(e));
        return 1;
    }
}

}  // namespace

int RunUnificador(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  TTerminalProgress::TClock clock) {
    TArguments argumentos;
    try {
        argumentos = ParseArguments(args);
    } catch (const EUsoInvalido& e) {
        err << ToUtf8(e.Message()) << "\n\n" << UsageText() << "Veja unificador --help.\n";
        return 2;
    }
    if (argumentos.ajuda) {
        out << HelpText();
        return 0;
    }

    TTerminalProgress progresso(err, std::move(clock));
    TTerminalPlatform plataforma(out, err, progresso);
    int status;
    try {
        status = Converte(argumentos, progresso);
    } catch (const std::exception& e) {
        Platform().ShowUnhandledError(ErrorMessage(e));
        status = 1;
    }
    progresso.EndLine();
    out.flush();
    err.flush();
    return status;
}
