#include "shell/ui/UFarmaquiMenu.h"

#include "export/ui/UFarmaquiExporta.h"
#include "maintenance/ui/UfrmParametros.h"
#include "shell/schema_upgrade.h"
#include "shell/ui/gradient_panel.h"
#include "shell/ui/window_factories.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

TFFarmaquiMenu* FFarmaquiMenu = nullptr;

namespace {

enum class Act {
    Tab,          // a consultation in a new tab
    TabTiss,      // lbTissBusca := family, then a tab
    TabTuss,      // lbTUSSBusca := family, then a tab
    Report,       // report kind := family, the price report
    NewEdition,
    Parameters,
    Export,       // export preparation with the family
    Separator,
    HiddenSeparator,
    Manuals,
    Quit,
};

} // namespace

struct TFFarmaquiMenu::MenuItem {
    const char* menu;
    const char* caption;
    const char* handler;
    Act act;
    const char* form;
    char family;
};

namespace {

using Item = TFFarmaquiMenu::MenuItem;

} // namespace

// The menu tree, in menu order.
static const TFFarmaquiMenu::MenuItem* menuTable(int* count);

void TFFarmaquiMenu::buildMenu()
{
    int n = 0;
    const MenuItem* items = menuTable(&n);
    QMenu* current = nullptr;
    QString currentTitle;
    for (int i = 0; i < n; ++i) {
        const MenuItem& item = items[i];
        const QString top = QString::fromUtf8(item.menu);
        if (item.act == Act::Manuals || item.act == Act::Quit) {
            QAction* a = menuBar()->addAction(top);
            a->setObjectName(QLatin1String(item.handler));
            connect(a, &QAction::triggered, this, [this, &item] { run(item); });
            current = nullptr;
            continue;
        }
        if (!current || currentTitle != top) {
            current = menuBar()->addMenu(top);
            current->setObjectName(top);
            currentTitle = top;
        }
        if (item.act == Act::Separator || item.act == Act::HiddenSeparator) {
            QAction* s = current->addSeparator();
            s->setVisible(item.act == Act::Separator);
            continue;
        }
        QAction* a = current->addAction(QString::fromUtf8(item.caption));
        a->setObjectName(QLatin1String(item.handler));
        connect(a, &QAction::triggered, this, [this, &item] { run(item); });
    }
}

static const TFFarmaquiMenu::MenuItem kMenu[] = {
    {"Medicamentos", "Laboratório", "PorLaboratrio1Click", Act::Tab, "TFFarConsMedLab", 0},
    {"Medicamentos", "Medicamento", "Medicamento1Click", Act::Tab, "TFFarConsMedi", 0},
    {"Medicamentos", "Substância", "Substncias1Click", Act::Tab, "TFFarConsMedSubs", 0},
    {"Medicamentos", "Código Farmaquion", "Cdigo1Click", Act::Tab, "TFFarConsMediCod", 0},
    {"Medicamentos", "Código EAN/TISS", "EAN1Click", Act::Tab, "TFFarConsultaEAN", 0},
    {"Medicamentos", "Consulta por Código TISS", "ConsultaporCdigoTISS1Click", Act::TabTiss, "TFFarConsultaTiss", 'M'},
    {"Medicamentos", "Consulta código TUSS", "ConsultacdigoTUSS1Click", Act::TabTuss, "TfrmConsultaTUSS", 'M'},
    {"Medicamentos", "Consulta por Código TUSS", "ConsultaporCdigoTUSS1Click", Act::TabTuss, "TfrmConsultaPorTuss", 'M'},
    {"Medicamentos", "", "", Act::Separator, "", 0},
    {"Medicamentos", "Relatório de Preços", "RelatriodePreos1Click", Act::Report, "TFFarRelatorioPreco", 'M'},
    {"Materiais", "Laboratório", "Laboratrio1Click", Act::Tab, "TFFarConsMatLab", 0},
    {"Materiais", "Material", "medicamento2Click", Act::Tab, "TFFarConsMate", 0},
    {"Materiais", "Hierarquia", "Hierarquia1Click", Act::Tab, "TFFarHierarquia", 0},
    {"Materiais", "Código Farmaquion", "Cdigo2Click", Act::Tab, "TFFarConsMateCod", 0},
    {"Materiais", "Código TISS", "ISS1Click", Act::Tab, "TFFarConsMateTiss", 0},
    {"Materiais", "Consulta por Código TISS", "ConsultaporCdigoTISS2Click", Act::TabTiss, "TFFarConsultaTiss", 'I'},
    {"Materiais", "Consulta código TUSS", "ConsultacdigoTUSS2Click", Act::TabTuss, "TfrmConsultaTUSS", 'I'},
    {"Materiais", "Consulta por Código TUSS", "ConsultaporCdigoTUSS2Click", Act::TabTuss, "TfrmConsultaPorTuss", 'I'},
    {"Materiais", "", "", Act::Separator, "", 0},
    {"Materiais", "Relatório de Preços", "RelatriodePreos2Click", Act::Report, "TFFarRelatorioPreco", 'I'},
    {"Soluções", "Laboratório", "Laboratrio2Click", Act::Tab, "TFFarConsSolLab", 0},
    {"Soluções", "Solução", "Soluo1Click", Act::Tab, "TFFarConsSol", 0},
    {"Soluções", "Código Farmaquion", "Cdigo3Click", Act::Tab, "TFFarConsSolCod", 0},
    {"Soluções", "Código TISS", "iss2Click", Act::Tab, "TFFarConsSolTiss", 0},
    {"Soluções", "Consulta por Código TISS", "lbTissBuscaCaptionM1Click", Act::TabTiss, "TFFarConsultaTiss", 'S'},
    {"Soluções", "Consulta código TUSS", "ConsultacdigoTUSS3Click", Act::TabTuss, "TfrmConsultaTUSS", 'S'},
    {"Soluções", "Consulta por Código TUSS", "ConsultaporCdigoTUSS3Click", Act::TabTuss, "TfrmConsultaPorTuss", 'S'},
    {"Soluções", "", "", Act::Separator, "", 0},
    {"Soluções", "Relatório de Preços", "RelatriodePreos3Click", Act::Report, "TFFarRelatorioPreco", 'S'},
    {"Manutenção", "Leitura Nova Edição", "LeituraNovaEdio1Click", Act::NewEdition, "TfrmLeitura", 0},
    {"Manutenção", "Paramêtros", "Paramtros1Click", Act::Parameters, "TfrmParametros", 0},
    {"Manutenção", "", "", Act::Separator, "", 0},
    {"Manutenção", "Exportação Medicamentos", "ExportaoMedicamentos1Click", Act::Export, "TFFarExporta", 'M'},
    {"Manutenção", "Exportação Solução", "ExportaoSoluo1Click", Act::Export, "TFFarExporta", 'S'},
    {"Manutenção", "Exportação Material", "ExportaoMaterial1Click", Act::Export, "TFFarExporta", 'I'},
    {"Manutenção", "", "", Act::HiddenSeparator, "", 0},
    {"Manutenção", "Excluídos", "Excludos1Click", Act::Tab, "TFfarexcluidos", 0},
    {"Manutenção", "Incluídos", "Incluidos1Click", Act::Tab, "TFfarincluidos", 0},
    {"Manuais", "", "Manuais1Click", Act::Manuals, "TfrmManuais", 0},
    {"Sair", "", "Sair1Click", Act::Quit, "", 0},
};

static const TFFarmaquiMenu::MenuItem* menuTable(int* count)
{
    *count = int(std::size(kMenu));
    return kMenu;
}

TFFarmaquiMenu::TFFarmaquiMenu(QWidget* parent) : QMainWindow(parent)
{
    FFarmaquiMenu = this;
    setObjectName(QStringLiteral("FFarmaquiMenu"));
    setWindowTitle(QStringLiteral("Revista Eletrônica"));
    QFont f(QStringLiteral("Comic Sans MS"));
    setFont(f);
    showMessage = [this](const QString& title, const QString& text) { QMessageBox::information(this, title, text); };

    // Hidden labels whose captions are shared values.
    auto hidden = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QLatin1String(name));
        l->setVisible(false);
        return l;
    };
    Label1 = hidden("Label1", farq::kVersionLabel);
    lbVersaoCripto = hidden("lbVersaoCripto", QString::number(farq::kLastClearEdition));
    lbCrypto = hidden("lbCrypto", QString());
    lbEstado = hidden("lbEstado", QStringLiteral("SP"));
    lbTissBusca = hidden("lbTissBusca", QStringLiteral("M"));
    lbTUSSBusca = hidden("lbTUSSBusca", QStringLiteral("M"));
    Editor = new QTextEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setReadOnly(true);
    Editor->setFont(QFont(QStringLiteral("Courier New")));
    Editor->setVisible(false);

    RzPageControl1 = new QTabWidget(this);
    RzPageControl1->setObjectName(QStringLiteral("RzPageControl1"));
    RzPageControl1->setTabsClosable(true);
    RzPageControl1->setMovable(false);
    RzPageControl1->setDocumentMode(true);
    auto* sheet = new farq::ui::GradientPanel(RzPageControl1);
    sheet->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet1 = sheet;
    Panel1 = new QWidget(TabSheet1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(farq::ui::productLogo());
    Image1->setFixedSize(357, 80);
    Panel1->setFixedSize(Image1->size());
    RzPageControl1->addTab(TabSheet1, QStringLiteral("Principal"));
    connect(RzPageControl1, &QTabWidget::tabCloseRequested, this, [this](int index) {
        // The close button acts on its own tab: make it the active one first.
        RzPageControl1->setCurrentIndex(index);
        RzPageControl1Close();
    });
    setCentralWidget(RzPageControl1);
    setStyleSheet(QStringLiteral("QMainWindow { background: white; }"));
    buildMenu();
}

TFFarmaquiMenu::~TFFarmaquiMenu()
{
    if (FFarmaquiMenu == this)
        FFarmaquiMenu = nullptr;
}

QString TFFarmaquiMenu::Crypt(const QString& action, const QString& source) const
{
    return edition_.crypt()(action, source);
}

bool TFFarmaquiMenu::FormCreate(const QString& path, QString* error)
{
    const QString file = path.isEmpty() ? farq::EditionDatabase::defaultEditionPath() : path;
    try {
        edition_.open(file);
    } catch (const farq::DatabaseError& e) {
        if (error)
            *error = QStringLiteral("Não foi possível abrir a edição \"%1\".\n\n%2").arg(QDir::toNativeSeparators(file),
                                                                                    e.message());
        return false;
    }
    edition_.crypt().setErrorHandler([this] { showMessage(QString(), farq::kDecryptError); });
    refreshTitle();
    FormResize();
    lbCrypto->setText(farq::isCodedEdition(edition_.params()) ? QStringLiteral("S") : QStringLiteral("N"));
    return true;
}

void TFFarmaquiMenu::refreshTitle()
{
    setWindowTitle(edition_.title());
    lbEstado->setText(edition_.params().state);
}

bool TFFarmaquiMenu::FormShow(QString* error)
{
    try {
        edition_.reloadParams();
        refreshTitle();
        edition_.upgrade();
    } catch (const farq::DatabaseError& e) {
        if (error)
            *error = QStringLiteral("Não foi possível atualizar a estrutura da edição \"%1\".\n\n%2")
                         .arg(QDir::toNativeSeparators(edition_.db().path()), e.message());
        return false;
    }
    return true;
}

void TFFarmaquiMenu::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    QString error;
    if (!FormShow(&error)) {
        QMessageBox::critical(this, QStringLiteral("Revista Eletrônica"), error);
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TFFarmaquiMenu::FormResize()
{
    const QRect outer = frameGeometry();
    const int w = outer.width();
    const int h = outer.height();
    Panel1->move(w / 2 - Panel1->width() / 2, h / 2 - Panel1->height() / 2 - 100);
}

void TFFarmaquiMenu::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFFarmaquiMenu::OpenInTab(QWidget* form, const QString& caption)
{
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    form->setParent(sheet);
    form->setWindowFlags(Qt::Widget);
    layout->addWidget(form);
    const int index = RzPageControl1->addTab(sheet, caption);
    form->show();
    RzPageControl1->setCurrentIndex(index);
}

QWidget* TFFarmaquiMenu::OpenInTab(const QString& className, const QString& caption)
{
    QWidget* form = nullptr;
    if (farq::ui::ConsultationFactory make = farq::ui::consultationFactory(className)) {
        form = make(edition_, nullptr);
    } else {
        auto* panel = new farq::ui::GradientPanel;
        auto* l = new QVBoxLayout(panel);
        auto* text = new QLabel(QStringLiteral("%1\n\nEsta consulta ainda não está disponível nesta versão.").arg(caption));
        text->setObjectName(QStringLiteral("lbIndisponivel"));
        text->setAlignment(Qt::AlignCenter);
        text->setStyleSheet(QStringLiteral("color: white; font: bold 14pt \"Arial\";"));
        l->addWidget(text);
        form = panel;
    }
    form->setObjectName(className);
    OpenInTab(form, caption);
    return form;
}

void TFFarmaquiMenu::RzPageControl1Close()
{
    const int i = RzPageControl1->currentIndex();
    if (i <= 0)
        return;
    QWidget* sheet = RzPageControl1->widget(i);
    RzPageControl1->removeTab(i);
    delete sheet;
    RzPageControl1->setCurrentIndex(i - 1);
}

void TFFarmaquiMenu::notAvailable(const QString& caption)
{
    showMessage(caption, QStringLiteral("A função \"%1\" ainda não está disponível nesta versão.").arg(caption));
}

bool TFFarmaquiMenu::prepareExport(const QString& kind)
{
    try {
        edition_.reloadParams();
    } catch (const farq::DatabaseError& e) {
        showMessage(QStringLiteral("Exportação"), e.message());
        return false;
    }
    exportKind = kind;
    freeTradeZoneFlag = edition_.params().state == QLatin1String("ZF") ? QStringLiteral("Z") : QString();
    return true;
}

void TFFarmaquiMenu::run(const MenuItem& item)
{
    // A database error while a window opens is shown with the engine's
    // message; the program goes on.
    try {
        runItem(item);
    } catch (const farq::DatabaseError& e) {
        showMessage(QStringLiteral("Revista Eletrônica"),
                    QStringLiteral("Erro do banco de dados:\n\n%1").arg(e.message()));
    }
}

void TFFarmaquiMenu::runItem(const MenuItem& item)
{
    const QString menu = QString::fromUtf8(item.menu);
    const QString caption = QString::fromUtf8(item.caption);
    const QString family = item.family ? QString(QLatin1Char(item.family)) : QString();
    const QString tabCaption = menu + QLatin1Char('-') + caption;
    switch (item.act) {
    case Act::Tab:
        OpenInTab(QLatin1String(item.form), tabCaption);
        break;
    case Act::TabTiss:
        lbTissBusca->setText(family);
        OpenInTab(QLatin1String(item.form), tabCaption);
        break;
    case Act::TabTuss:
        lbTUSSBusca->setText(family);
        OpenInTab(QLatin1String(item.form), tabCaption);
        break;
    case Act::Report:
        reportKind = family;
        notAvailable(caption);
        break;
    case Act::NewEdition:
    case Act::Manuals:
        notAvailable(menu == QLatin1String("Manuais") ? menu : caption);
        break;
    case Act::Parameters: {
        auto* form = new TfrmParametros(edition_, this);
        connect(form, &TfrmParametros::saved, this, [this] { refreshTitle(); });
        if (runModal)
            runModal(form);
        else
            form->exec();
        delete form;
        break;
    }
    case Act::Export: {
        if (!prepareExport(family))
            break;
        auto* form = new TFFarExporta(edition_, exportKind.at(0),
                                      freeTradeZoneFlag.isEmpty() ? QChar() : freeTradeZoneFlag.at(0), this);
        if (exportKind == QLatin1String("I")) {
            form->chkHierarquia->setVisible(true);
            form->chk_ean->setVisible(false);
        }
        if (runModal)
            runModal(form);
        else
            form->exec();
        delete form;
        break;
    }
    case Act::Quit:
        close();
        break;
    case Act::Separator:
    case Act::HiddenSeparator:
        break;
    }
}
