#pragma once
// The visual style "Turquoise Gray": a Qt style sheet stored with the program as a resource.
//
// AplicaEstilo reads the sheet from `arquivo` (a resource path or a file) and applies it to
// the whole application. When it cannot be read, is empty or cannot be parsed, the
// application keeps (or gets back) the default look, an error box tells the operator, and
// the result is false. Apply it after the main window exists, so that the window's widgets
// are styled at once and a sheet that does not parse is noticed here.

#include <QApplication>
#include <QString>

inline const QString kEstiloTurquoiseGray = QStringLiteral(":/style/TurquoiseGray.qss");

bool AplicaEstilo(QApplication& app, const QString& arquivo = kEstiloTurquoiseGray);
