// The main window on Qt's offscreen platform: its layout, the checks before a run, the option
// list, runs on fixture databases with the controls locked meanwhile, and its error paths.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QPixmap>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "Error.h"
#include "IBQuery.h"
#include "RecordingPlatform.h"
#include "TelaPrincipal.h"
#include "TempDatabase.h"

namespace {

const Text kVazio = T("O caminho do banco de dados está vazio!");
const Text kSemConexao =
    T("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
      "selecionado é válido! ");
const Text kSucesso = T("Conversão concluída com sucesso!");
const Text kErro = T("Ocorreu um erro durante a conversão! Motivo: ");

// Records like TRecordingPlatform, and lets a test look at the window from inside a run.
class TPlataformaDeTeste final : public TPlatform {
  public:
    TPlataformaDeTeste() { SetPlatform(this); }
    ~TPlataformaDeTeste() override { SetPlatform(nullptr); }

    void ShowMessageBox(TMessageKind kind, const Text& text) override {
        messages.push_back({kind, text});
        if (lancaNasMensagens)
            throw EError(u"falha ao mostrar a mensagem");
    }
    void ProcessMessages() override {
        ++processed;
        if (aoProcessar)
            aoProcessar();
    }
    void ShowUnhandledError(const Text& message) override {
        unhandled.push_back(message);
        if (aoMostrarErro)
            aoMostrarErro();
    }

    std::vector<TRecordedMessage> messages;
    std::vector<Text> unhandled;
    long processed = 0;
    bool lancaNasMensagens = false;
    std::function<void()> aoProcessar;
    std::function<void()> aoMostrarErro;
};

// Enabled state of the four controls that a run locks: btnAbrir, btnConverter, btnSair and
// the group box.
std::vector<bool> Travaveis(const TFPrincipal& j) {
    return {j.btnAbrir.isEnabled(), j.btnConverter.isEnabled(), j.btnSair.isEnabled(),
            j.gbxTabelasConverter.isEnabled()};
}
const std::vector<bool> kHabilitados{true, true, true, true};
const std::vector<bool> kDesabilitados{false, false, false, false};

Text Texto(const QString& s) {
    return s.toStdU16String();
}

}  // namespace

class TelaPrincipalTest : public ::testing::Test {
  protected:
    // The next file dialog chooses `arquivo`; nothing cancels it.
    void Escolhe(std::optional<Text> arquivo) {
        janela.escolheArquivo = [this, arquivo](QWidget* dono, const QString& pasta,
                                                const QString& filtro) -> std::optional<QString> {
            dialogos.push_back({dono, pasta, filtro});
            if (!arquivo)
                return std::nullopt;
            return QString::fromStdU16String(*arquivo);
        };
    }
    void AbreOrigem(std::optional<Text> arquivo) {
        Escolhe(std::move(arquivo));
        janela.btAbrirDBOrigem.click();
    }
    void AbreDestino(std::optional<Text> arquivo) {
        Escolhe(std::move(arquivo));
        janela.btnAbrir.click();
    }

    static std::vector<Text> ListaDeOpcoes(TFPrincipal& j) {
        TStringList MParams;
        j.pIniciaListaParametros(MParams);
        j.pCarregaParametros(MParams);
        std::vector<Text> linhas;
        for (size_t i = 0; i < MParams.Count(); ++i)
            linhas.push_back(MParams[i]);
        return linhas;
    }

    struct TDialogo {
        QWidget* dono;
        QString pasta, filtro;
    };
    std::vector<TDialogo> dialogos;
    TPlataformaDeTeste plataforma;
    // The files outlive the window, whose connections close first.
    std::unique_ptr<TTempDatabase> origem, destino;
    TFPrincipal janela;
};

TEST_F(TelaPrincipalTest, WindowAndControlsAsDefined) {
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Ferramenta de Unificação de Dados - Quorvane"));
    EXPECT_EQ(janela.size(), QSize(633, 324));
    EXPECT_EQ(janela.minimumSize(), janela.maximumSize());  // not resizable
    EXPECT_FALSE(janela.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(janela.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(janela.pos(), QPoint(342, 110));
    EXPECT_FALSE(janela.windowIcon().isNull());

    QWidget* const gbx = &janela.gbxTabelasConverter;
    QWidget* const pnl = &janela.pnlCabecalho;
    struct Caso {
        QWidget* widget;
        const char* nome;
        QWidget* pai;
        QRect lugar;
        QString texto;
    } casos[] = {
        {&janela.Barra, "Barra", &janela, {6, 260, 611, 15}, "0%"},
        {&janela.Label1,
         "Label1",
         &janela,
         {6, 125, 220, 13},
         "Caminho do Banco de Dados da Matriz: "},
        {&janela.lblInfo, "lblInfo", &janela, {11, 243, 3, 13}, ""},
        {&janela.Label3,
         "Label3",
         &janela,
         {6, 80, 209, 13},
         "Caminho do Banco de Dados da Filial: "},
        {gbx, "gbxTabelasConverter", &janela, {5, 169, 612, 64}, "Tabelas à converter"},
        {&janela.chkCLientes, "chkCLientes", gbx, {49, 17, 97, 17}, "Clientes"},
        {&janela.chkFornecedores, "chkFornecedores", gbx, {180, 17, 97, 17}, "Fornecedores"},
        {&janela.chkProdutos, "chkProdutos", gbx, {332, 17, 97, 17}, "Produtos"},
        {&janela.chkAtualizaEstoque,
         "chkAtualizaEstoque",
         gbx,
         {424, 17, 137, 17},
         "Corrigir Estoque"},
        {&janela.chkAtualizaClasFisc, "chkAtualizaClasFisc", gbx, {49, 40, 99, 17}, "Corrigir NCM"},
        {&janela.chkAtualizaFornec,
         "chkAtualizaFornec",
         gbx,
         {181, 39, 148, 17},
         "Corrigir Fornecedores"},
        {&janela.edtCaminhoBDDestino, "edtCaminhoBDDestino", &janela, {5, 141, 516, 21}, ""},
        {pnl, "pnlCabecalho", &janela, {0, 0, 633, 73}, ""},
        {&janela.imgCabecalhoEsquerda, "imgCabecalhoEsquerda", pnl, {1, 10, 137, 64}, ""},
        {&janela.imgCabecalhoDireita, "imgCabecalhoDireita", pnl, {503, 1, 132, 71}, ""},
        {&janela.Label2,
         "Label2",
         pnl,
         {150, 25, 411, 18},
         "Ferramenta de Unificação de Dados - Quorvane"},
        {&janela.btnAbrir, "btnAbrir", &janela, {533, 138, 83, 25}, "Abrir"},
        {&janela.btnConverter, "btnConverter", &janela, {445, 282, 83, 25}, "Converter"},
        {&janela.btnSair, "btnSair", &janela, {533, 283, 83, 25}, "Sair"},
        {&janela.edtCaminhoBDOrigem, "edtCaminhoBDOrigem", &janela, {6, 95, 515, 21}, ""},
        {&janela.btAbrirDBOrigem, "btAbrirDBOrigem", &janela, {534, 93, 83, 25}, "Abrir"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(c.widget->objectName(), QString::fromLatin1(c.nome));
        EXPECT_EQ(c.widget->parentWidget(), c.pai);
        EXPECT_EQ(c.widget->geometry(), c.lugar);
        QString texto;
        if (auto* label = qobject_cast<QLabel*>(c.widget))
            texto = label->text();
        else if (auto* botao = qobject_cast<QAbstractButton*>(c.widget))
            texto = botao->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(c.widget))
            texto = edit->text();
        else if (auto* caixa = qobject_cast<QGroupBox*>(c.widget))
            texto = caixa->title();
        else if (auto* barra = qobject_cast<QProgressBar*>(c.widget))
            texto = barra->text();
        EXPECT_EQ(texto, c.texto);
        // Only the path boxes start disabled; nothing starts ticked.
        EXPECT_EQ(c.widget->isEnabled(), qobject_cast<QLineEdit*>(c.widget) == nullptr);
        if (auto* caixa = qobject_cast<QCheckBox*>(c.widget)) {
            EXPECT_FALSE(caixa->isChecked());
        }
    }
}

TEST_F(TelaPrincipalTest, FontsColoursAndPictures) {
    QString esperada;
    for (const char* f : {"Tahoma", "Liberation Sans", "DejaVu Sans"})
        if (esperada.isEmpty() && QFontDatabase::hasFamily(QString::fromLatin1(f)))
            esperada = QString::fromLatin1(f);
    ASSERT_FALSE(esperada.isEmpty()) << "install fonts-liberation2 or fonts-dejavu-core";

    const std::vector<QWidget*> negritos = {&janela.Label1,
                                            &janela.lblInfo,
                                            &janela.Label3,
                                            &janela.gbxTabelasConverter,
                                            &janela.chkCLientes,
                                            &janela.chkFornecedores,
                                            &janela.chkProdutos,
                                            &janela.chkAtualizaEstoque,
                                            &janela.chkAtualizaClasFisc,
                                            &janela.chkAtualizaFornec};
    const std::vector<QWidget*> normais = {
        &janela.btnAbrir,        &janela.btnConverter,        &janela.btnSair,
        &janela.btAbrirDBOrigem, &janela.edtCaminhoBDDestino, &janela.Barra};
    for (QWidget* w : negritos) {
        EXPECT_TRUE(w->font().bold()) << w->objectName().toStdString();
        EXPECT_EQ(w->font().pixelSize(), 11) << w->objectName().toStdString();
        EXPECT_EQ(w->font().family(), esperada) << w->objectName().toStdString();
    }
    for (QWidget* w : normais) {
        EXPECT_FALSE(w->font().bold()) << w->objectName().toStdString();
        EXPECT_EQ(w->font().pixelSize(), 11) << w->objectName().toStdString();
        EXPECT_EQ(w->font().family(), esperada) << w->objectName().toStdString();
    }
    const QFont titulo = janela.Label2.font();
    EXPECT_TRUE(titulo.bold());
    EXPECT_EQ(titulo.pixelSize(), 15);
    EXPECT_EQ(titulo.family(), esperada);
    EXPECT_EQ(janela.Label2.palette().color(QPalette::WindowText), QColor(0x80, 0, 0));

    EXPECT_TRUE(janela.pnlCabecalho.autoFillBackground());
    EXPECT_EQ(janela.pnlCabecalho.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(janela.imgCabecalhoEsquerda.pixmap().size(), QSize(137, 64));
    EXPECT_EQ(janela.imgCabecalhoDireita.pixmap().size(), QSize(132, 71));

    // Each glyph: a normal and a distinct disabled image; both "Abrir" buttons share one.
    for (QPushButton* b :
         {&janela.btnAbrir, &janela.btnConverter, &janela.btnSair, &janela.btAbrirDBOrigem}) {
        const QImage normal = b->icon().pixmap(16, 16, QIcon::Normal).toImage();
        const QImage desabilitado = b->icon().pixmap(16, 16, QIcon::Disabled).toImage();
        EXPECT_FALSE(normal.isNull()) << b->objectName().toStdString();
        EXPECT_NE(normal, desabilitado) << b->objectName().toStdString();
    }
    EXPECT_EQ(janela.btnAbrir.icon().pixmap(16, 16).toImage(),
              janela.btAbrirDBOrigem.icon().pixmap(16, 16).toImage());
    EXPECT_NE(janela.btnAbrir.icon().pixmap(16, 16).toImage(),
              janela.btnSair.icon().pixmap(16, 16).toImage());
}

TEST_F(TelaPrincipalTest, TabOrder) {
    std::vector<QString> ordem;
    for (QWidget* w = janela.nextInFocusChain(); w != &janela; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            ordem.push_back(w->objectName());
    const std::vector<QString> esperada = {
        "chkCLientes",         "chkFornecedores",   "chkProdutos",         "chkAtualizaEstoque",
        "chkAtualizaClasFisc", "chkAtualizaFornec", "edtCaminhoBDDestino", "btnAbrir",
        "btnConverter",        "btnSair",           "edtCaminhoBDOrigem",  "btAbrirDBOrigem"};
    EXPECT_EQ(ordem, esperada);
}

TEST_F(TelaPrincipalTest, OptionListFromTheTickedBoxes) {
    const std::vector<Text> nomes = {u"CLIENTES",           u"FORNECEDORES",     u"PRODUTOS",
                                     u"ATUALIZAESTOQUE",    u"ATUALIZACLASFISC", u"ATUALIZAFORNEC",
                                     u"CAMINHO BD DESTINO", u"CAMINHO BD ORIGEM"};
    QCheckBox* const caixas[] = {&janela.chkCLientes,         &janela.chkFornecedores,
                                 &janela.chkProdutos,         &janela.chkAtualizaEstoque,
                                 &janela.chkAtualizaClasFisc, &janela.chkAtualizaFornec};
    struct Caso {
        std::vector<int> marcadas;
        std::vector<Text> depoisDosNomes;
    } casos[] = {
        {{}, {}},
        {{0, 2}, {u"CLIENTES=S", u"PRODUTOS=S"}},
        {{5, 3}, {u"ATUALIZAESTOQUE=S", u"ATUALIZAFORNEC=S"}},
        {{4, 3, 2, 1, 0, 5},
         {u"CLIENTES=S", u"FORNECEDORES=S", u"PRODUTOS=S", u"ATUALIZAESTOQUE=S",
          u"ATUALIZACLASFISC=S", u"ATUALIZAFORNEC=S"}},
    };
    for (const Caso& c : casos) {
        for (QCheckBox* caixa : caixas)
            caixa->setChecked(false);
        for (int i : c.marcadas)
            caixas[i]->setChecked(true);
        std::vector<Text> esperada = nomes;
        esperada.insert(esperada.end(), c.depoisDosNomes.begin(), c.depoisDosNomes.end());
        EXPECT_EQ(ListaDeOpcoes(janela), esperada) << c.marcadas.size() << " marcadas";
    }
}

TEST_F(TelaPrincipalTest, EmptyDestinationPathOnlyWarns) {
    // The origin's path is not looked at.
    origem = std::make_unique<TTempDatabase>();
    AbreOrigem(origem->Path());
    ASSERT_TRUE(janela.ibdOrigem.Connected());
    janela.chkCLientes.setChecked(true);

    janela.btnConverter.click();
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Warning, kVazio}}));
    EXPECT_TRUE(plataforma.unhandled.empty());
    EXPECT_EQ(plataforma.processed, 0);  // no run
    EXPECT_EQ(Travaveis(janela), kHabilitados);
}

TEST_F(TelaPrincipalTest, OpeningAndTheConnectionCheck) {
    destino = std::make_unique<TTempDatabase>();
    AbreDestino(destino->Path());
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].dono, &janela);
    EXPECT_EQ(dialogos[0].pasta, QCoreApplication::applicationDirPath());
    EXPECT_EQ(dialogos[0].filtro, QStringLiteral("*.FB (*.FB)"));
    EXPECT_EQ(Texto(janela.edtCaminhoBDDestino.text()), destino->Path());
    EXPECT_EQ(janela.ibdResulth.DatabaseName(), destino->Path());
    EXPECT_TRUE(janela.ibdResulth.Connected());
    EXPECT_TRUE(janela.ibtTransacaoResulth.InTransaction());
    EXPECT_FALSE(janela.ibdOrigem.Connected());

    // Re-opening and cancelling: disconnected, the old path still shown; the check stops it.
    AbreDestino(std::nullopt);
    EXPECT_FALSE(janela.ibdResulth.Connected());
    EXPECT_FALSE(janela.ibtTransacaoResulth.InTransaction());
    EXPECT_EQ(Texto(janela.edtCaminhoBDDestino.text()), destino->Path());

    janela.btnConverter.click();
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Warning, kSemConexao}}));
    EXPECT_EQ(plataforma.processed, 0);
    EXPECT_EQ(Travaveis(janela), kHabilitados);
}

TEST_F(TelaPrincipalTest, AFileThatIsNoDatabaseReachesTheDefaultErrorDisplay) {
    destino = std::make_unique<TTempDatabase>();
    const std::filesystem::path arquivo = destino->Folder() / "texto.FB";
    std::ofstream(arquivo) << "not a database\n";
    const Text caminho = FromUtf8(arquivo.string());

    AbreDestino(caminho);
    ASSERT_EQ(plataforma.unhandled.size(), 1u);
    EXPECT_FALSE(plataforma.unhandled[0].empty());
    EXPECT_TRUE(plataforma.messages.empty());
    EXPECT_EQ(Texto(janela.edtCaminhoBDDestino.text()), caminho);
    EXPECT_EQ(janela.ibdResulth.DatabaseName(), caminho);
    EXPECT_FALSE(janela.ibdResulth.Connected());
    EXPECT_FALSE(janela.ibtTransacaoResulth.InTransaction());

    // Re-opening after the failure is harmless.
    AbreDestino(destino->Path());
    EXPECT_EQ(plataforma.unhandled.size(), 1u);
    EXPECT_TRUE(janela.ibtTransacaoResulth.InTransaction());
}

TEST_F(TelaPrincipalTest, RunsWithTheControlsLocked) {
    origem = std::make_unique<TTempDatabase>();
    destino = std::make_unique<TTempDatabase>();
    {
        TConnection o(origem->Path());
        ExecStatements(o.db, {u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('1', 'Ana')",
                              u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('2', 'Bia')",
                              u"INSERT INTO COMPCLIE (CODCLIENTE, NOMEPAI) VALUES ('1', 'Pai')"});
    }
    AbreOrigem(origem->Path());
    AbreDestino(destino->Path());
    janela.chkCLientes.setChecked(true);
    janela.show();

    struct TDuranteARodada {
        std::vector<bool> travaveis;
        bool origemHabilitada, clientesMarcado, fechou, visivel;
        QString info, barra;
    };
    std::vector<TDuranteARodada> vistos;
    plataforma.aoProcessar = [&] {
        const bool fechou = janela.close();  // a close request from the title bar
        vistos.push_back({Travaveis(janela), janela.btAbrirDBOrigem.isEnabled(),
                          janela.chkCLientes.isChecked(), fechou, janela.isVisible(),
                          janela.lblInfo.text(), janela.Barra.text()});
    };

    janela.btnConverter.click();
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Information, kSucesso}}));
    ASSERT_EQ(vistos.size(), 2u);  // once per origin row
    for (const auto& v : vistos) {
        EXPECT_EQ(v.travaveis, kDesabilitados);
        EXPECT_TRUE(v.origemHabilitada);
        EXPECT_TRUE(v.clientesMarcado);
        EXPECT_FALSE(v.fechou);
        EXPECT_TRUE(v.visivel);
    }
    EXPECT_EQ(vistos[0].info, QStringLiteral("Convertendo Clientes - Registro 1 de 2"));
    EXPECT_EQ(vistos[0].barra, QStringLiteral("0%"));
    EXPECT_EQ(vistos[1].info, QStringLiteral("Convertendo Clientes - Registro 2 de 2"));
    EXPECT_EQ(vistos[1].barra, QStringLiteral("50%"));
    EXPECT_EQ(janela.lblInfo.width(), janela.lblInfo.sizeHint().width());

    EXPECT_EQ(Travaveis(janela), kHabilitados);
    EXPECT_TRUE(janela.chkCLientes.isChecked());
    EXPECT_EQ(janela.lblInfo.text(), QString());
    EXPECT_EQ(janela.Barra.text(), QStringLiteral("0%"));
    EXPECT_FALSE(janela.ibtTransacaoResulth.InTransaction());
    {
        TConnection d(destino->Path());
        EXPECT_EQ(CountRows(d.db, u"CLIENTE"), 2);
    }

    // A second run counts the client codes from 00005000 again: the destination refuses them.
    vistos.clear();
    plataforma.messages.clear();
    janela.btnConverter.click();
    ASSERT_EQ(plataforma.messages.size(), 1u);
    EXPECT_EQ(plataforma.messages[0].kind, TMessageKind::Error);
    EXPECT_EQ(plataforma.messages[0].text.rfind(kErro, 0), 0u)
        << ToUtf8(plataforma.messages[0].text);
    EXPECT_FALSE(vistos.empty());
    EXPECT_TRUE(plataforma.unhandled.empty());
    EXPECT_EQ(Travaveis(janela), kHabilitados);
    {
        TConnection d(destino->Path());
        EXPECT_EQ(CountRows(d.db, u"CLIENTE"), 2);
    }

    plataforma.aoProcessar = nullptr;
    EXPECT_TRUE(janela.close());  // no run under way: the window closes
}

TEST_F(TelaPrincipalTest, OnlyTheDestinationOpened) {
    destino = std::make_unique<TTempDatabase>();
    AbreDestino(destino->Path());

    janela.btnConverter.click();  // nothing ticked: an empty run
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Information, kSucesso}}));

    plataforma.messages.clear();
    janela.chkCLientes.setChecked(true);
    janela.btnConverter.click();  // the clients step reads the origin, which has no name
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{
                  {TMessageKind::Error, kErro + u"Database name is missing"}}));
    EXPECT_EQ(Travaveis(janela), kHabilitados);
}

TEST_F(TelaPrincipalTest, OpeningADestinationWithTriggersSwitchedOffWarns) {
    destino = std::make_unique<TTempDatabase>();
    {
        TConnection d(destino->Path());
        ExecStatements(
            d.db, {u"ALTER TRIGGER PRODUTO_BI0 INACTIVE", u"ALTER TRIGGER MVGERAL_BD0 INACTIVE"});
    }
    AbreDestino(destino->Path());
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{
                  {TMessageKind::Warning,
                   T("As Triggers do banco de dados de destino estão desativadas: PRODUTO_BI0, "
                     "MVGERAL_BD0. A próxima conversão concluída com sucesso irá ativá-las "
                     "novamente.")}}));
    EXPECT_TRUE(janela.ibtTransacaoResulth.InTransaction());

    // The next successful run switches them on; opened again, there is nothing to warn of.
    plataforma.messages.clear();
    janela.btnConverter.click();
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Information, kSucesso}}));
    plataforma.messages.clear();
    AbreDestino(destino->Path());
    EXPECT_TRUE(plataforma.messages.empty());
    EXPECT_EQ(InactiveTriggers(janela.ibdResulth), std::vector<Text>{});
}

TEST_F(TelaPrincipalTest, AnErrorEscapingTheRunIsShownAfterTheControlsComeBack) {
    destino = std::make_unique<TTempDatabase>();
    AbreDestino(destino->Path());
    // Every message box fails, so the run's own error message escapes it too.
    plataforma.lancaNasMensagens = true;
    std::vector<std::vector<bool>> aoMostrar;
    plataforma.aoMostrarErro = [&] { aoMostrar.push_back(Travaveis(janela)); };

    janela.btnConverter.click();
    EXPECT_EQ(plataforma.unhandled, std::vector<Text>{u"falha ao mostrar a mensagem"});
    EXPECT_EQ(aoMostrar, std::vector<std::vector<bool>>{kHabilitados});

    // The window is usable again: the next run goes through.
    plataforma.lancaNasMensagens = false;
    plataforma.messages.clear();
    janela.btnConverter.click();
    EXPECT_EQ(plataforma.messages,
              (std::vector<TRecordedMessage>{{TMessageKind::Information, kSucesso}}));
}

TEST_F(TelaPrincipalTest, SairRollsTheDestinationBackAndCloses) {
    destino = std::make_unique<TTempDatabase>();
    AbreDestino(destino->Path());
    {
        TIBQuery q;
        q.SetDatabase(&janela.ibdResulth);
        q.SQL().SetText(u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('1', 'Ana')");
        q.ExecSQL();
    }
    janela.show();
    janela.btnSair.click();
    EXPECT_TRUE(plataforma.unhandled.empty());
    EXPECT_FALSE(janela.isVisible());
    EXPECT_FALSE(janela.ibtTransacaoResulth.InTransaction());
    TConnection d(destino->Path());
    EXPECT_EQ(CountRows(d.db, u"CLIENTE"), 0);
}
