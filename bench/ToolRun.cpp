#include "ToolRun.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "ClassesConversaoController.h"
#include "Error.h"
#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Operacoes.h"
#include "Passos.h"
#include "RecordingPlatform.h"
#include "StringList.h"

namespace {

static_assert(kSegmentCount == kQuantidadePassos + 1, "a segment per step, then the commit");

// The recording platform, with the moment each message box came.
class TTimedPlatform final : public TRecordingPlatform {
  public:
    void ShowMessageBox(TMessageKind kind, const Text& text) override {
        shownAt.push_back(TInstant::Now());
        TRecordingPlatform::ShowMessageBox(kind, text);
    }
    std::vector<TInstant> shownAt;
};

// Timestamps the step boundaries; called on every row, so it does no more than compare.
class TStepLabel final : public TLabel {
  public:
    std::vector<TInstant> ends;
    std::vector<Text> problems;

  protected:
    void Changed() override {
        if (Caption().empty()) {
            ends.push_back(TInstant::Now());
            inStep_ = false;
        } else if (!inStep_) {
            inStep_ = true;
            const size_t step = ends.size();
            const Text expected = step < kQuantidadePassos ? Text(Passos()[step].prefixo) : Text();
            if (expected.empty() || Caption().compare(0, expected.size(), expected) != 0)
                problems.push_back(u"o passo " + IntToText(int64_t(step + 1)) + u" mostrou \"" +
                                   Caption() + u"\"");
        }
    }

  private:
    bool inStep_ = false;
};

class TStartGauge final : public TGauge {
  public:
    bool reset = false;
    TInstant resetAt;

  protected:
    void Changed() override {
        if (!reset) {
            reset = true;
            resetAt = TInstant::Now();
        }
    }
};

}  // namespace

TStepTimes RunTool(const Text& originPath, const Text& destinationPath) {
    TTimedPlatform platform;
    TIBDatabase ibdOrigem;
    TIBDatabase ibdResulth;
    TIBTransaction ibtTransacaoOrigem;
    TIBTransaction ibtTransacaoResulth;
    ConfiguraConexao(ibdOrigem, ibtTransacaoOrigem);
    ConfiguraConexao(ibdResulth, ibtTransacaoResulth);
    PreparaAbertura(ibtTransacaoOrigem, ibdOrigem);
    ConectaBanco(ibtTransacaoOrigem, ibdOrigem, originPath);
    PreparaAbertura(ibtTransacaoResulth, ibdResulth);
    ConectaBanco(ibtTransacaoResulth, ibdResulth, destinationPath);

    TStringList MParams;
    pIniciaListaParametros(MParams);
    pCarregaParametros(MParams, TOpcoesConversao().set());

    TStepLabel label;
    TStartGauge gauge;
    const TInstant called = TInstant::Now();
    const bool ok = TClassesConversaoController().FEfetuaConversao(
        MParams, ibdOrigem, ibdResulth, ibtTransacaoResulth, gauge, label);
    const TInstant returned = TInstant::Now();

    Text problems;
    for (const TRecordedMessage& m : platform.messages)
        if (m.kind != TMessageKind::Information || m.text != T("Conversão concluída com sucesso!"))
            problems += u"\n  mensagem: " + m.text;
    for (const Text& m : platform.unhandled)
        problems += u"\n  mensagem: " + m;
    if (!ok || platform.messages.size() != 1 || !platform.unhandled.empty())
        problems += u"\n  a conversão não terminou com uma única mensagem de sucesso";
    if (label.ends.size() != kQuantidadePassos)
        problems += u"\n  " + IntToText(int64_t(label.ends.size())) +
                    u" passos terminaram, e não " + IntToText(int64_t(kQuantidadePassos));
    for (const Text& p : label.problems)
        problems += u"\n  " + p;
    if (!problems.empty())
        throw std::runtime_error("a execução da ferramenta falhou:" + ToUtf8(problems));

    TSegmentClock clock(gauge.reset ? gauge.resetAt : called);
    for (size_t i = 0; i < kQuantidadePassos; ++i)
        clock.Mark(i, label.ends[i]);
    clock.Mark(kQuantidadePassos, platform.shownAt.front());
    clock.Finish(returned);
    return clock.Times();
}
