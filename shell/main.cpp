// UnificadorQuorvane: the main window of the data unification tool (see TelaPrincipal.h).
#include <QApplication>

#include "Estilo.h"
#include "QtPlatform.h"
#include "TelaPrincipal.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("UnificadorQuorvane"));
    TQtPlatform plataforma;

    TFPrincipal FPrincipal;
    AplicaEstilo(app);  // on failure the program goes on with the default look
    FPrincipal.show();
    return app.exec();
}
