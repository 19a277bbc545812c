#include "Progresso.h"

#include "Platform.h"

void TProgresso::Inicia(TIBQuery& qryBusca) {
    qryBusca.Last();
    barra_.SetMaxValue(int64_t(qryBusca.RecordCount()));
    qryBusca.First();
    total_ = IntToText(barra_.MaxValue());
}

void TProgresso::Percorre(TIBQuery& qryBusca,
                          const std::function<void(int32_t vContaRegistro)>& trataLinha) {
    for (int32_t vContaRegistro = 1; !qryBusca.Eof(); ++vContaRegistro) {
        lblInfo_.SetCaption(prefixo_ + IntToText(vContaRegistro) + u" de " + total_);
        ProcessMessages();
        trataLinha(vContaRegistro);
        qryBusca.Next();
        barra_.AddProgress(1);
    }
    lblInfo_.SetCaption(Text());
    barra_.SetProgress(0);
    barra_.SetMaxValue(0);
}
