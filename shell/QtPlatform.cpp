#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
        case TMessageKind::Warning:
            return QMessageBox::Warning;
        case TMessageKind::Information:
            return QMessageBox::Information;
        case TMessageKind::Error:
            break;
    }
    return QMessageBox::Critical;
}

void ShowBox(QMessageBox::Icon icon, const Text& text) {
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), TextoDaMensagem(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    // Database messages may hold '<' and '&': never read them as rich text.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

QString TextoDaMensagem(const Text& text) {
    QString s = QString::fromStdU16String(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

TQtPlatform::TQtPlatform() {
    SetPlatform(this);
}

TQtPlatform::~TQtPlatform() {
    SetPlatform(nullptr);
}

void TQtPlatform::ShowMessageBox(TMessageKind kind, const Text& text) {
    ShowBox(IconOf(kind), text);
}

void TQtPlatform::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TQtPlatform::ShowUnhandledError(const Text& message) {
    ShowBox(QMessageBox::Critical, message);
}
