#pragma once
// TFPrincipal: the program's one window. The operator opens the origin ("Filial") and the
// destination ("Matriz") database files, ticks the tables and corrections, and starts a
// conversion run with "Converter"; "Sair" leaves.
//
// The window owns the two connections and their default transactions for its whole life;
// nothing connects until a file is opened. Its handlers catch nothing: an error that escapes
// a click (a file that is not a database, an error escaping the run) is shown by the
// platform's default error display. During a run the destination's "Abrir", "Converter",
// "Sair" and the check boxes are disabled, and a close request is ignored: the run cannot be
// interrupted, and the window must stay valid until it returns.
//
// The controls are public members named as in the window's definition, so that tests can
// look at and operate them.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "IBDatabase.h"
#include "IBTransaction.h"
#include "Passos.h"
#include "QtProgress.h"
#include "StringList.h"

class TFPrincipal : public QWidget {
    Q_OBJECT

  public:
    // The file-open dialog: the window, the initial folder and the filter (Qt's form, one
    // entry "*.FB (*.FB)"); nothing when the operator cancels.
    using TEscolheArquivo = std::function<std::optional<QString>(
        QWidget* dono, const QString& pastaInicial, const QString& filtro)>;

    explicit TFPrincipal(QWidget* parent = nullptr);
    ~TFPrincipal() override;

    // "Abrir" of the origin and of the destination: roll the transaction back if in progress,
    // disconnect, choose a file; with a file, show its path, connect to it and, when it
    // answers, start the transaction. A connect error escapes. An opened destination whose
    // triggers are switched off is warned of.
    void btAbrirDBOrigemClick(QObject* Sender);
    void btnAbrirClick(QObject* Sender);
    // The checks of the destination, then the run with the controls locked; they are unlocked
    // again even when an error escapes the run.
    void btnConverterClick(QObject* Sender);
    // Rolls the destination transaction back if in progress and closes the window.
    void btnSairClick(QObject* Sender);
    void DesabilitaBotoes();
    void HabilitaBotoes();

    // Replaceable for tests; by default Qt's file-open dialog.
    TEscolheArquivo escolheArquivo;

    // Connections before transactions: a transaction still in progress when the window goes
    // ends (with a commit) while its connection is still there.
    TIBDatabase ibdResulth;
    TIBDatabase ibdOrigem;
    TIBTransaction ibtTransacaoResulth;
    TIBTransaction ibtTransacaoOrigem;

    // The controls in creation order (parents before their children).
    TQtGauge Barra{this};
    QLabel Label1{this};
    TQtLabel lblInfo{this};
    QLabel Label3{this};
    QGroupBox gbxTabelasConverter{this};
    QCheckBox chkCLientes{&gbxTabelasConverter};
    QCheckBox chkFornecedores{&gbxTabelasConverter};
    QCheckBox chkProdutos{&gbxTabelasConverter};
    QCheckBox chkAtualizaEstoque{&gbxTabelasConverter};
    QCheckBox chkAtualizaClasFisc{&gbxTabelasConverter};
    QCheckBox chkAtualizaFornec{&gbxTabelasConverter};
    QLineEdit edtCaminhoBDDestino{this};
    QFrame pnlCabecalho{this};
    QLabel imgCabecalhoEsquerda{&pnlCabecalho};
    QLabel imgCabecalhoDireita{&pnlCabecalho};
    QLabel Label2{&pnlCabecalho};
    QPushButton btnAbrir{this};
    QPushButton btnConverter{this};
    QPushButton btnSair{this};
    QLineEdit edtCaminhoBDOrigem{this};
    QPushButton btAbrirDBOrigem{this};

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    friend class TelaPrincipalTest;

    // True, after its warning, when the destination path is empty.
    bool VerificaCaminhoBDVazio();
    // True, after its warning, when the destination connection does not answer.
    bool VerificaConexaoBD();
    void pIniciaListaParametros(TStringList& MParams);
    void pCarregaParametros(TStringList& MParams);
    // The steps' check boxes, in the order of Passos().
    std::array<QCheckBox*, kQuantidadePassos> CaixasPassos();

    void AbreBanco(TIBTransaction& transacao, TIBDatabase& banco, QLineEdit& caminho);
    // Runs a click handler; what escapes it goes to the default error display.
    void Executa(void (TFPrincipal::*handler)(QObject*), QObject* sender);

    bool emConversao_ = false;
};
