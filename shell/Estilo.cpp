#include "Estilo.h"

#include <QFile>

#include "Platform.h"

namespace {

// Qt reports a sheet it cannot parse only as a warning while it polishes the widgets; the
// warnings are caught for the duration of the call.
bool folhaInvalida = false;
QtMessageHandler tratadorAnterior = nullptr;

void CapturaAvisos(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("Could not parse")) &&
        message.contains(QLatin1String("stylesheet")))
        folhaInvalida = true;
    else if (tratadorAnterior)
        tratadorAnterior(type, context, message);
}

bool Aplica(QApplication& app, const QString& folha) {
    folhaInvalida = false;
    tratadorAnterior = qInstallMessageHandler(CapturaAvisos);
    app.setStyleSheet(folha);
    qInstallMessageHandler(tratadorAnterior);
    tratadorAnterior = nullptr;
    return !folhaInvalida;
}

}  // namespace

bool AplicaEstilo(QApplication& app, const QString& arquivo) {
    QFile file(arquivo);
    QString folha;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        folha = QString::fromUtf8(file.readAll());
    if (!folha.trimmed().isEmpty() && Aplica(app, folha))
        return true;
    app.setStyleSheet(QString());
    ShowError(T("Não foi possível aplicar o estilo visual \"Turquoise Gray\" (") +
              arquivo.toStdU16String() + u").");
    return false;
}
