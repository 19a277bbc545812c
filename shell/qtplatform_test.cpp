// The platform layer on Qt: message boxes, event processing, the progress widgets and the
// visual style.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "Estilo.h"
#include "QtPlatform.h"
#include "QtProgress.h"
#include "RecordingPlatform.h"

namespace {

struct TCaixaVista {
    QMessageBox::Icon icone;
    QString texto;
    int botoes;
    bool modal;
};

// Shows a box through `mostra` and closes it with its OK button once it is up.
TCaixaVista Vista(const std::function<void()>& mostra) {
    TCaixaVista vista{QMessageBox::NoIcon, QString(), 0, false};
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                vista = {box->icon(), box->text(), int(box->buttons().size()), box->isModal()};
                box->button(QMessageBox::Ok)->click();
            }
    });
    mostra();
    return vista;
}

}  // namespace

TEST(QtPlatform, ModalBoxesWithOneOkButton) {
    TQtPlatform plataforma;
    ASSERT_EQ(&Platform(), &plataforma);
    struct Caso {
        std::function<void()> mostra;
        QMessageBox::Icon icone;
    } casos[] = {
        {[] { ShowWarning(u"linha 1\rlinha 2"); }, QMessageBox::Warning},
        {[] { ShowInformation(u"linha 1\rlinha 2"); }, QMessageBox::Information},
        {[] { ShowError(u"linha 1\rlinha 2"); }, QMessageBox::Critical},
        {[] { Platform().ShowUnhandledError(u"linha 1\rlinha 2"); }, QMessageBox::Critical},
    };
    for (const Caso& c : casos) {
        const TCaixaVista vista = Vista(c.mostra);
        EXPECT_EQ(vista.icone, c.icone);
        EXPECT_EQ(vista.texto, QStringLiteral("linha 1\nlinha 2"));
        EXPECT_EQ(vista.botoes, 1);
        EXPECT_TRUE(vista.modal);
    }
    EXPECT_EQ(TextoDaMensagem(u"a\r\nb<c>&"), QStringLiteral("a\nb<c>&"));
}

TEST(QtPlatform, ProcessMessagesHandlesWhatIsPending) {
    TQtPlatform plataforma;
    bool tratado = false;
    QTimer::singleShot(0, [&] { tratado = true; });
    ProcessMessages();
    EXPECT_TRUE(tratado);
}

TEST(QtProgress, GaugeShowsThePercentageAndNeverABusyBar) {
    TQtGauge barra(nullptr);
    EXPECT_EQ(barra.text(), QStringLiteral("0%"));
    struct Caso {
        int64_t max, progresso;
        QString texto;
    } casos[] = {
        {0, 0, "0%"},   {4, 1, "25%"},  {3, 2, "66%"},
        {2, 2, "100%"}, {200, 1, "0%"}, {10'000'000'000, 5'000'000'000, "50%"},
    };
    for (const Caso& c : casos) {
        barra.SetProgress(0);
        barra.SetMaxValue(c.max);
        barra.SetProgress(c.progresso);
        EXPECT_EQ(barra.text(), c.texto) << c.max << " " << c.progresso;
        EXPECT_EQ(barra.text(), QString::number(barra.PercentDone()) + "%");
        EXPECT_LT(barra.minimum(), barra.maximum());  // Qt's busy indicator is min == max
    }
}

TEST(QtProgress, LabelShowsItsCaptionAndSizesItself) {
    TQtLabel label(nullptr);
    label.setGeometry(11, 243, 3, 13);
    label.SetCaption(u"Convertendo Clientes - Registro 1 de 2");
    EXPECT_EQ(label.text(), QStringLiteral("Convertendo Clientes - Registro 1 de 2"));
    EXPECT_EQ(label.width(), label.sizeHint().width());
    EXPECT_GT(label.width(), 100);
    EXPECT_EQ(label.pos(), QPoint(11, 243));
    label.SetCaption(u"");
    EXPECT_EQ(label.text(), QString());
}

TEST(Estilo, TurquoiseGrayOrTheDefaultLookWithAnErrorBox) {
    auto& app = *qobject_cast<QApplication*>(QCoreApplication::instance());
    QPushButton botao(QStringLiteral("Abrir"));  // a widget to polish
    TRecordingPlatform plataforma;

    EXPECT_TRUE(AplicaEstilo(app));
    EXPECT_TRUE(app.styleSheet().contains(QStringLiteral("QProgressBar")));
    EXPECT_TRUE(plataforma.messages.empty());

    QTemporaryDir pasta;
    const QString ruim = pasta.filePath(QStringLiteral("ruim.qss"));
    QFile file(ruim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("QPushButton { color: red; ");
    file.close();
    for (const QString& arquivo : {pasta.filePath(QStringLiteral("falta.qss")), ruim}) {
        plataforma.messages.clear();
        EXPECT_FALSE(AplicaEstilo(app, arquivo)) << arquivo.toStdString();
        EXPECT_EQ(app.styleSheet(), QString());
        ASSERT_EQ(plataforma.messages.size(), 1u);
        EXPECT_EQ(plataforma.messages[0].kind, TMessageKind::Error);
        EXPECT_EQ(plataforma.messages[0].text,
                  T("Não foi possível aplicar o estilo visual \"Turquoise Gray\" (") +
                      arquivo.toStdU16String() + u").");
    }
}
