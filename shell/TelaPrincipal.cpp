#include "TelaPrincipal.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>
#include <exception>

#include "ClassesConversaoController.h"
#include "Error.h"
#include "Operacoes.h"
#include "Platform.h"

// The pictures live in this library's resources; a static library needs them pulled in.
static void IniciaRecursos() {
    Q_INIT_RESOURCE(resources);
}

namespace {

// The window's font is Tahoma; where it is not installed, the closest sans font that is.
QString FamiliaDaFonte() {
    for (const char* familia : {"Tahoma", "Liberation Sans", "DejaVu Sans"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(familia)))
            return QString::fromLatin1(familia);
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont Fonte(int pixels, bool negrito) {
    QFont font(FamiliaDaFonte());
    font.setPixelSize(pixels);
    font.setBold(negrito);
    return font;
}

// A glyph holds two images side by side: normal, then disabled.
QIcon Glyph(const QString& recurso) {
    const QPixmap glyph(recurso);
    const int largura = glyph.width() / 2;
    QIcon icon;
    icon.addPixmap(glyph.copy(0, 0, largura, glyph.height()), QIcon::Normal);
    icon.addPixmap(glyph.copy(largura, 0, largura, glyph.height()), QIcon::Disabled);
    return icon;
}

void Imagem(QLabel& imagem, const QString& recurso) {
    imagem.setAlignment(Qt::AlignCenter);
    imagem.setPixmap(
        QPixmap(recurso).scaled(imagem.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void Botao(QPushButton& botao, const QString& texto, const QIcon& glyph) {
    botao.setText(texto);
    botao.setIcon(glyph);
    botao.setIconSize(QSize(16, 16));
}

std::optional<QString> DialogoAbrir(QWidget* dono, const QString& pastaInicial,
                                    const QString& filtro) {
    const QString arquivo = QFileDialog::getOpenFileName(dono, QString(), pastaInicial, filtro);
    if (arquivo.isEmpty())
        return std::nullopt;
    // Qt answers with '/'; the path is shown and used as the system writes it ('\' on Windows).
    return QDir::toNativeSeparators(arquivo);
}

}  // namespace

TFPrincipal::TFPrincipal(QWidget* parent) : QWidget(parent), escolheArquivo(DialogoAbrir) {
    IniciaRecursos();
    ConfiguraConexao(ibdResulth, ibtTransacaoResulth);
    ConfiguraConexao(ibdOrigem, ibtTransacaoOrigem);

    setObjectName(QStringLiteral("FPrincipal"));
    setWindowTitle(QStringLiteral("Ferramenta de Unificação de Dados - Quorvane"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/images/icone.png")));
    setFixedSize(633, 324);
    move(342, 110);
    setFont(Fonte(11, false));

    const QFont negrito = Fonte(11, true);
    struct TControle {
        QWidget& widget;
        const char* nome;
        int left, top, width, height;
    };
    const TControle controles[] = {
        {Barra, "Barra", 6, 260, 611, 15},
        {Label1, "Label1", 6, 125, 220, 13},
        {lblInfo, "lblInfo", 11, 243, 3, 13},
        {Label3, "Label3", 6, 80, 209, 13},
        {gbxTabelasConverter, "gbxTabelasConverter", 5, 169, 612, 64},
        {chkCLientes, "chkCLientes", 49, 17, 97, 17},
        {chkFornecedores, "chkFornecedores", 180, 17, 97, 17},
        {chkProdutos, "chkProdutos", 332, 17, 97, 17},
        {chkAtualizaEstoque, "chkAtualizaEstoque", 424, 17, 137, 17},
        {chkAtualizaClasFisc, "chkAtualizaClasFisc", 49, 40, 99, 17},
        {chkAtualizaFornec, "chkAtualizaFornec", 181, 39, 148, 17},
        {edtCaminhoBDDestino, "edtCaminhoBDDestino", 5, 141, 516, 21},
        {pnlCabecalho, "pnlCabecalho", 0, 0, 633, 73},
        {imgCabecalhoEsquerda, "imgCabecalhoEsquerda", 1, 10, 137, 64},
        {imgCabecalhoDireita, "imgCabecalhoDireita", 503, 1, 132, 71},
        {Label2, "Label2", 150, 25, 411, 18},
        {btnAbrir, "btnAbrir", 533, 138, 83, 25},
        {btnConverter, "btnConverter", 445, 282, 83, 25},
        {btnSair, "btnSair", 533, 283, 83, 25},
        {edtCaminhoBDOrigem, "edtCaminhoBDOrigem", 6, 95, 515, 21},
        {btAbrirDBOrigem, "btAbrirDBOrigem", 534, 93, 83, 25},
    };
    for (const TControle& c : controles) {
        c.widget.setObjectName(QString::fromLatin1(c.nome));
        c.widget.setGeometry(c.left, c.top, c.width, c.height);
    }

    Label1.setText(QStringLiteral("Caminho do Banco de Dados da Matriz: "));
    Label3.setText(QStringLiteral("Caminho do Banco de Dados da Filial: "));
    gbxTabelasConverter.setTitle(QStringLiteral("Tabelas à converter"));
    // The check boxes inherit the group box's bold font.
    for (QWidget* w : {static_cast<QWidget*>(&Label1), static_cast<QWidget*>(&lblInfo),
                       static_cast<QWidget*>(&Label3), static_cast<QWidget*>(&gbxTabelasConverter)})
        w->setFont(negrito);
    for (size_t i = 0; i < kQuantidadePassos; ++i)
        CaixasPassos()[i]->setText(QString::fromUtf16(Passos()[i].caixa));

    // The path boxes only show the paths that "Abrir" put there.
    edtCaminhoBDDestino.setEnabled(false);
    edtCaminhoBDOrigem.setEnabled(false);

    // The header is white whatever the window's background.
    QPalette branco = pnlCabecalho.palette();
    branco.setColor(QPalette::Window, Qt::white);
    pnlCabecalho.setPalette(branco);
    pnlCabecalho.setAutoFillBackground(true);
    Imagem(imgCabecalhoEsquerda, QStringLiteral(":/images/cabecalho_esquerda.png"));
    Imagem(imgCabecalhoDireita, QStringLiteral(":/images/cabecalho_direita.png"));
    Label2.setText(QStringLiteral("Ferramenta de Unificação de Dados - Quorvane"));
    Label2.setFont(Fonte(15, true));
    QPalette titulo = Label2.palette();
    titulo.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    Label2.setPalette(titulo);

    const QIcon abrir = Glyph(QStringLiteral(":/images/glyph_abrir.png"));
    Botao(btnAbrir, QStringLiteral("Abrir"), abrir);
    Botao(btnConverter, QStringLiteral("Converter"),
          Glyph(QStringLiteral(":/images/glyph_converter.png")));
    Botao(btnSair, QStringLiteral("Sair"), Glyph(QStringLiteral(":/images/glyph_sair.png")));
    Botao(btAbrirDBOrigem, QStringLiteral("Abrir"), abrir);

    // Keyboard order: the group box's boxes, the destination's path and "Abrir", the run's
    // buttons, then the origin's path and "Abrir". The path boxes, being disabled, and the
    // header, labels and gauge never take the focus.
    QWidget* ordem[] = {
        &chkCLientes,         &chkFornecedores,   &chkProdutos,         &chkAtualizaEstoque,
        &chkAtualizaClasFisc, &chkAtualizaFornec, &edtCaminhoBDDestino, &btnAbrir,
        &btnConverter,        &btnSair,           &edtCaminhoBDOrigem,  &btAbrirDBOrigem};
    for (size_t i = 1; i < std::size(ordem); ++i)
        QWidget::setTabOrder(ordem[i - 1], ordem[i]);

    const std::pair<QPushButton*, void (TFPrincipal::*)(QObject*)> cliques[] = {
        {&btAbrirDBOrigem, &TFPrincipal::btAbrirDBOrigemClick},
        {&btnAbrir, &TFPrincipal::btnAbrirClick},
        {&btnConverter, &TFPrincipal::btnConverterClick},
        {&btnSair, &TFPrincipal::btnSairClick},
    };
    for (const auto& [botao, handler] : cliques)
        connect(botao, &QPushButton::clicked, this,
                [this, botao, handler] { Executa(handler, botao); });
}

TFPrincipal::~TFPrincipal() = default;

void TFPrincipal::Executa(void (TFPrincipal::*handler)(QObject*), QObject* sender) {
    try {
        (this->*handler)(sender);
    } catch (const std::exception& e) {
        Platform().ShowUnhandledError(ErrorMessage(e));
    }
}

void TFPrincipal::AbreBanco(TIBTransaction& transacao, TIBDatabase& banco, QLineEdit& caminho) {
    PreparaAbertura(transacao, banco);
    const std::optional<QString> arquivo =
        escolheArquivo(this, QCoreApplication::applicationDirPath(), QStringLiteral("*.FB (*.FB)"));
    if (!arquivo)
        return;
    caminho.setText(*arquivo);
    ConectaBanco(transacao, banco, arquivo->toStdU16String());
}

void TFPrincipal::btAbrirDBOrigemClick(QObject*) {
    AbreBanco(ibtTransacaoOrigem, ibdOrigem, edtCaminhoBDOrigem);
}

void TFPrincipal::btnAbrirClick(QObject*) {
    AbreBanco(ibtTransacaoResulth, ibdResulth, edtCaminhoBDDestino);
    VerificaTriggersDesativadas(ibdResulth);
}

void TFPrincipal::btnConverterClick(QObject*) {
    if (VerificaCaminhoBDVazio())
        return;
    if (VerificaConexaoBD())
        return;

    // From here on the controls come back and a close request is honoured again however the
    // run ends; the option list is released before that.
    struct TDesbloqueio {
        TFPrincipal& janela;
        ~TDesbloqueio() {
            janela.emConversao_ = false;
            janela.HabilitaBotoes();
        }
    } desbloqueio{*this};
    emConversao_ = true;
    DesabilitaBotoes();

    TStringList MParams;
    pIniciaListaParametros(MParams);
    pCarregaParametros(MParams);
    TClassesConversaoController().FEfetuaConversao(MParams, ibdOrigem, ibdResulth,
                                                   ibtTransacaoResulth, Barra, lblInfo);
}

void TFPrincipal::btnSairClick(QObject*) {
    if (ibtTransacaoResulth.InTransaction())
        ibtTransacaoResulth.Rollback();
    close();
}

void TFPrincipal::DesabilitaBotoes() {
    btnAbrir.setEnabled(false);
    btnConverter.setEnabled(false);
    btnSair.setEnabled(false);
    gbxTabelasConverter.setEnabled(false);
}

void TFPrincipal::HabilitaBotoes() {
    btnAbrir.setEnabled(true);
    btnConverter.setEnabled(true);
    btnSair.setEnabled(true);
    gbxTabelasConverter.setEnabled(true);
}

bool TFPrincipal::VerificaCaminhoBDVazio() {
    return ::VerificaCaminhoBDVazio(edtCaminhoBDDestino.text().toStdU16String());
}

bool TFPrincipal::VerificaConexaoBD() {
    return ::VerificaConexaoBD(ibdResulth);
}

void TFPrincipal::pIniciaListaParametros(TStringList& MParams) {
    ::pIniciaListaParametros(MParams);
}

void TFPrincipal::pCarregaParametros(TStringList& MParams) {
    TOpcoesConversao opcoes;
    for (size_t i = 0; i < kQuantidadePassos; ++i)
        opcoes[i] = CaixasPassos()[i]->isChecked();
    ::pCarregaParametros(MParams, opcoes);
}

std::array<QCheckBox*, kQuantidadePassos> TFPrincipal::CaixasPassos() {
    const std::array caixas{&chkCLientes,        &chkFornecedores,     &chkProdutos,
                            &chkAtualizaEstoque, &chkAtualizaClasFisc, &chkAtualizaFornec};
    // A box has its own name, place and tab order in the window's definition.
    static_assert(std::tuple_size_v<decltype(caixas)> == kQuantidadePassos,
                  "every step needs its check box in the window");
    return caixas;
}

void TFPrincipal::closeEvent(QCloseEvent* event) {
    // The run cannot be interrupted and uses the window's members until it returns.
    if (emConversao_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
