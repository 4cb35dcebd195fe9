#include "export/ui/UFarmaquiExporta.h"
#include "maintenance/ui/UfrmParametros.h"
#include "shell/ui/UFarmaquiMenu.h"
#include "support/edition_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace farq;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void open(const gen::GeneratorOptions& o = test::clearEdition(80))
    {
        path = test::editionCopy(o);
        window = std::make_unique<TFFarmaquiMenu>();
        window->showMessage = [this](const QString& title, const QString& text) { messages << title + "|" + text; };
        QString error;
        ASSERT_TRUE(window->FormCreate(path, &error)) << error.toStdString();
        ASSERT_TRUE(window->FormShow(&error)) << error.toStdString();
    }
    void trigger(const char* handler)
    {
        auto* a = window->findChild<QAction*>(QLatin1String(handler));
        ASSERT_NE(a, nullptr) << handler;
        a->trigger();
    }
    QStringList tabCaptions() const
    {
        QStringList out;
        for (int i = 0; i < window->RzPageControl1->count(); ++i)
            out << window->RzPageControl1->tabText(i);
        return out;
    }
    QString path;
    std::unique_ptr<TFFarmaquiMenu> window;
    QStringList messages;
};

QStringList captionsOf(QMenu* m)
{
    QStringList out;
    for (QAction* a : m->actions())
        out << (a->isSeparator() ? (a->isVisible() ? QStringLiteral("-") : QStringLiteral("(-)")) : a->text());
    return out;
}

} // namespace

TEST_F(MainWindowTest, MenuTreeAndCaptions)
{
    open();
    QStringList tops;
    for (QAction* a : window->menuBar()->actions())
        tops << a->text();
    EXPECT_EQ(tops, (QStringList{"Medicamentos", "Materiais", "Soluções", "Manutenção", "Manuais", "Sair"}));
    auto menu = [&](int i) { return window->menuBar()->actions().at(i)->menu(); };
    EXPECT_EQ(captionsOf(menu(0)),
              (QStringList{"Laboratório", "Medicamento", "Substância", "Código Farmaquion", "Código EAN/TISS",
                           "Consulta por Código TISS", "Consulta código TUSS", "Consulta por Código TUSS", "-",
                           "Relatório de Preços"}));
    EXPECT_EQ(captionsOf(menu(1)),
              (QStringList{"Laboratório", "Material", "Hierarquia", "Código Farmaquion", "Código TISS",
                           "Consulta por Código TISS", "Consulta código TUSS", "Consulta por Código TUSS", "-",
                           "Relatório de Preços"}));
    EXPECT_EQ(captionsOf(menu(2)),
              (QStringList{"Laboratório", "Solução", "Código Farmaquion", "Código TISS", "Consulta por Código TISS",
                           "Consulta código TUSS", "Consulta por Código TUSS", "-", "Relatório de Preços"}));
    EXPECT_EQ(captionsOf(menu(3)),
              (QStringList{"Leitura Nova Edição", "Paramêtros", "-", "Exportação Medicamentos", "Exportação Solução",
                           "Exportação Material", "(-)", "Excluídos", "Incluídos"}));
    EXPECT_EQ(menu(4), nullptr); // "Manuais" and "Sair" are commands
    EXPECT_EQ(menu(5), nullptr);
    for (const char* handler : {"PorLaboratrio1Click", "Medicamento1Click", "medicamento2Click", "lbTissBuscaCaptionM1Click",
                                "ConsultaporCdigoTUSS3Click", "Paramtros1Click", "ExportaoMaterial1Click",
                                "Excludos1Click", "Manuais1Click", "Sair1Click"})
        EXPECT_NE(window->findChild<QAction*>(QLatin1String(handler)), nullptr) << handler;
}

TEST_F(MainWindowTest, TabsOpenAndCloseByTheRules)
{
    open();
    EXPECT_EQ(tabCaptions(), QStringList{"Principal"});
    trigger("PorLaboratrio1Click");
    trigger("Laboratrio1Click");
    trigger("Laboratrio1Click"); // the same item twice: two tabs
    EXPECT_EQ(tabCaptions(), (QStringList{"Principal", "Medicamentos-Laboratório", "Materiais-Laboratório",
                                          "Materiais-Laboratório"}));
    EXPECT_EQ(window->RzPageControl1->currentIndex(), 3);

    window->RzPageControl1Close(); // closing tab i activates i - 1
    EXPECT_EQ(window->RzPageControl1->currentIndex(), 2);
    EXPECT_EQ(window->RzPageControl1->count(), 3);
    window->RzPageControl1Close();
    window->RzPageControl1Close();
    EXPECT_EQ(tabCaptions(), QStringList{"Principal"});
    EXPECT_EQ(window->RzPageControl1->currentIndex(), 0);
    window->RzPageControl1Close(); // "Principal" never closes
    EXPECT_EQ(tabCaptions(), QStringList{"Principal"});

    // The close button of a tab closes that tab.
    trigger("Cdigo1Click");
    trigger("Cdigo2Click");
    emit window->RzPageControl1->tabCloseRequested(1);
    EXPECT_EQ(tabCaptions(), (QStringList{"Principal", "Materiais-Código Farmaquion"}));
    EXPECT_EQ(window->RzPageControl1->currentIndex(), 0);
    emit window->RzPageControl1->tabCloseRequested(0);
    EXPECT_EQ(window->RzPageControl1->count(), 2);
}

TEST_F(MainWindowTest, FamilyItemsSetTheSharedLabels)
{
    open();
    EXPECT_EQ(window->lbTissBusca->text(), QStringLiteral("M"));
    trigger("ConsultaporCdigoTISS2Click");
    EXPECT_EQ(window->lbTissBusca->text(), QStringLiteral("I"));
    trigger("lbTissBuscaCaptionM1Click");
    EXPECT_EQ(window->lbTissBusca->text(), QStringLiteral("S"));
    trigger("ConsultacdigoTUSS2Click");
    EXPECT_EQ(window->lbTUSSBusca->text(), QStringLiteral("I"));
    trigger("ConsultaporCdigoTUSS3Click");
    EXPECT_EQ(window->lbTUSSBusca->text(), QStringLiteral("S"));
    EXPECT_EQ(tabCaptions().last(), QStringLiteral("Soluções-Consulta por Código TUSS"));
}

TEST_F(MainWindowTest, TitleAndCodingOfClearAndCodedEditions)
{
    open(test::clearEdition(80));
    EXPECT_EQ(window->lbCrypto->text(), QStringLiteral("N"));
    EXPECT_EQ(window->windowTitle(), window->edition().title());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Revista Eletrônica Versão 8.1 - Edição 811 - Atualizada em ")));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" - Estado  SP")));
    EXPECT_EQ(window->lbEstado->text(), QStringLiteral("SP"));

    open(test::codedEdition(80));
    EXPECT_EQ(window->lbCrypto->text(), QStringLiteral("S"));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral(" - Edição 812 - ")));
    EXPECT_EQ(window->Label1->text(), QStringLiteral("8.1"));
    EXPECT_EQ(window->lbVersaoCripto->text(), QStringLiteral("811"));
}

TEST_F(MainWindowTest, ExportItemsReadTheStateAfreshForTheFreeTradeZoneFlag)
{
    open();
    QStringList opened;
    window->runModal = [&](QDialog* form) { opened << form->metaObject()->className(); };
    window->edition().saveState(QStringLiteral("ZF"));
    trigger("ExportaoSoluo1Click");
    EXPECT_EQ(window->exportKind, QStringLiteral("S"));
    EXPECT_EQ(window->freeTradeZoneFlag, QStringLiteral("Z"));
    window->edition().saveState(QStringLiteral("RJ"));
    trigger("ExportaoMedicamentos1Click");
    EXPECT_EQ(window->exportKind, QStringLiteral("M"));
    EXPECT_EQ(window->freeTradeZoneFlag, QString());
    EXPECT_EQ(opened, (QStringList{"TFFarExporta", "TFFarExporta"}));
}

TEST_F(MainWindowTest, MaterialExportShowsHierarchyAndHidesEan)
{
    open();
    bool checked = false;
    window->runModal = [&](QDialog* dialog) {
        auto* form = qobject_cast<TFFarExporta*>(dialog);
        ASSERT_NE(form, nullptr);
        EXPECT_FALSE(form->chkHierarquia->isHidden());
        EXPECT_TRUE(form->chk_ean->isHidden());
        checked = true;
    };
    trigger("ExportaoMaterial1Click");
    EXPECT_TRUE(checked);
    EXPECT_EQ(window->exportKind, QStringLiteral("I"));
}

TEST_F(MainWindowTest, ProductConsultationsOpenTheirPages)
{
    open();
    trigger("Medicamento1Click");
    trigger("medicamento2Click");
    trigger("Soluo1Click");
    EXPECT_EQ(tabCaptions(), (QStringList{"Principal", "Medicamentos-Medicamento", "Materiais-Material", "Soluções-Solução"}));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(window->RzPageControl1->widget(i)->findChild<QLabel*>(QStringLiteral("lbIndisponivel")), nullptr);
    EXPECT_NE(window->RzPageControl1->widget(1)->findChild<QWidget*>(QStringLiteral("TFFarConsMedi")), nullptr);
}

TEST_F(MainWindowTest, ItemsNotBuiltYetSaySo)
{
    open();
    messages.clear();
    trigger("RelatriodePreos3Click");
    EXPECT_EQ(window->reportKind, QStringLiteral("S"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("ainda não está disponível")));
}

TEST_F(MainWindowTest, LogoPanelIsCentredAbove)
{
    open();
    window->resize(1000, 700);
    window->FormResize();
    const QRect outer = window->frameGeometry();
    EXPECT_EQ(window->Panel1->x(), outer.width() / 2 - 357 / 2);
    EXPECT_EQ(window->Panel1->y(), outer.height() / 2 - 80 / 2 - 100);
}

TEST(MainWindowStart, MissingEditionGivesAClearMessage)
{
    TFFarmaquiMenu window;
    QString error;
    EXPECT_FALSE(window.FormCreate(QStringLiteral("/nao/existe/FARQDB.GDB"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nao/existe/FARQDB.GDB"))) << error.toStdString();
}

TEST_F(MainWindowTest, ParametersSaveUpdatesTheTitle)
{
    open();
    TfrmParametros form(window->edition(), window.get());
    QObject::connect(&form, &TfrmParametros::saved, window.get(), [this] { window->refreshTitle(); });
    EXPECT_EQ(form.wwDBLookupCombo1->currentText(), QStringLiteral("SP"));
    EXPECT_EQ(form.wwDBLookupCombo1->model()->columnCount(), 4);
    form.RzBitBtn1Click(); // no change: nothing written, window stays
    EXPECT_EQ(form.result(), 0);
    const int mg = form.wwDBLookupCombo1->findText(QStringLiteral("MG"));
    ASSERT_GE(mg, 0);
    form.wwDBLookupCombo1->setCurrentIndex(mg);
    emit form.wwDBLookupCombo1->activated(mg);
    form.RzBitBtn1->click();
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" - Estado  MG")));
    EXPECT_EQ(window->lbEstado->text(), QStringLiteral("MG"));
}

TEST_F(MainWindowTest, DatabaseErrorWhileAWindowOpensIsShownNotFatal)
{
    open();
    window->edition().db().execute(QStringLiteral("DROP TABLE FARESTADOS"));
    messages.clear();
    window->runModal = [](QDialog*) {};
    trigger("Paramtros1Click");
    trigger("Medicamento1Click");
    ASSERT_GE(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("FARESTADOS"))) << messages.first().toStdString();
}

TEST(MainWindowStart, EditionLockedByAnotherEngineGivesItsReason)
{
    // Another program holds the edition with an engine that does not share it.
    const QString path = test::editionCopy(test::clearEdition(80));
    QProcess holder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString systemRoot = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");
    if (!QFileInfo::exists(systemRoot + QStringLiteral("/plugins")) || QStandardPaths::findExecutable("isql-fb").isEmpty())
        GTEST_SKIP() << "isql-fb or the system Firebird root is missing";
    env.insert(QStringLiteral("FIREBIRD"), systemRoot);
    holder.setProcessEnvironment(env);
    holder.start(QStringLiteral("isql-fb"), {QStringLiteral("-u"), QStringLiteral("SYSDBA"), QStringLiteral("-p"),
                                              QStringLiteral("x"), path});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("select 'aberto' from rdb$database;\n");
    QByteArray seen;
    for (int i = 0; i < 100 && !seen.contains("aberto"); ++i) {
        holder.waitForReadyRead(200);
        seen += holder.readAllStandardOutput();
    }
    ASSERT_TRUE(seen.contains("aberto")) << seen.toStdString() << holder.readAllStandardError().toStdString();

    TFFarmaquiMenu window;
    QString error;
    EXPECT_FALSE(window.FormCreate(path, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("already opened"))) << error.toStdString();

    holder.write("quit;\n");
    holder.closeWriteChannel();
    holder.waitForFinished(10000);
}
