// The export window offscreen: options by kind and edition, the four list
// boxes, marks written at once and reset on close, "Confirma" with its
// success, failure and cancel.
#include "export/ui/UFarmaquiExporta.h"

#include "export/export_writer.h"

#include "shell/edition.h"
#include "export_test_support.h"
#include "support/edition_fixture.h"

#include <QAbstractItemModel>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace farq::exporter {
namespace {

class ExportWindow : public ::testing::Test {
protected:
    void open(const gen::GeneratorOptions& options = test::clearEdition())
    {
        edition.open(test::editionCopy(options));
        edition.upgrade();
    }

    std::unique_ptr<TFFarExporta> window(QChar kind)
    {
        const QChar zf = isFreeTradeZoneState(edition.savedState()) ? QLatin1Char('Z') : QChar();
        auto w = std::make_unique<TFFarExporta>(edition, kind, zf);
        w->chooseFile = [this] { return chosen; };
        w->showInformation = [this](const QString& m) { infos << m; };
        w->showError = [this](const QString& m) { errors << m; };
        return w;
    }

    QString flag(const char* sql)
    {
        const DataSet ds = edition.db().query(QLatin1String(sql));
        return ds.empty() ? QString() : ds.row(0).text(ds.columns().first()).trimmed();
    }

    int marks() { return test::exportMarks(edition); }

    // Checks the grid's mark of the row with this code.
    static void mark(TFFarExporta& w, const QString& code, bool on = true)
    {
        QAbstractItemModel* m = w.wwDBGrid1->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 1).data().toString().trimmed() == code) {
                ASSERT_TRUE(m->setData(m->index(r, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
                return;
            }
        FAIL() << "no row " << qPrintable(code);
    }

    QByteArray writerBytes(const ExportRequest& r)
    {
        ExportJob job(edition, r.kind, isFreeTradeZoneState(edition.savedState()));
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        EXPECT_TRUE(job.write(r, b).ok());
        return b.data();
    }

    Edition edition;
    QTemporaryDir dir;
    QString chosen;
    QStringList infos, errors;
};

TEST_F(ExportWindow, CaptionDefaultsAndOptionsByKind)
{
    open();
    struct Case {
        char kind;
        const char* caption;
        const char* listCaption;
        bool priceType, ean, hierarquia, generico, filters, restrito, parenteral;
        int priceIndex;
    };
    const Case cases[] = {
        {'M', "Farmaquion - Edição 811 - Exportação de Medicamentos", "Medicamentos", true, true, false, true, true,
         true, false, 0},
        {'I', "Farmaquion - Edição 811 - Exportação de Materiais", "Materiais", false, false, true, false, true, false,
         true, 0},
        {'S', "Farmaquion - Edição 811 - Exportação de Soluções", "Soluções", false, true, false, false, false, false,
         false, 1},
    };
    for (const Case& c : cases) {
        auto w = window(QLatin1Char(c.kind));
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(w->CheckBox1->text(), QString::fromUtf8(c.listCaption));
        EXPECT_EQ(w->RadioGroup1->itemIndex(), 2);
        EXPECT_EQ(w->RadioGroup2->itemIndex(), 0);
        EXPECT_EQ(w->RadioGroup3->itemIndex(), c.priceIndex) << c.kind;
        EXPECT_TRUE(w->CheckBox4->isChecked());
        EXPECT_FALSE(w->wwDBGrid1->isVisibleTo(w.get()));
        EXPECT_EQ(w->RadioGroup3->isVisibleTo(w.get()), c.priceType) << c.kind;
        EXPECT_EQ(w->chk_ean->isVisibleTo(w.get()), c.ean) << c.kind;
        EXPECT_EQ(w->chk_ean->isChecked(), c.ean) << c.kind;
        EXPECT_TRUE(w->chk_tiss->isChecked() && w->chkTUSS->isChecked());
        EXPECT_EQ(w->chkHierarquia->isVisibleTo(w.get()), c.hierarquia) << c.kind;
        EXPECT_EQ(w->chkGenerico->isVisibleTo(w.get()), c.generico) << c.kind;
        EXPECT_EQ(w->grp2->isVisibleTo(w.get()), c.filters) << c.kind;
        EXPECT_EQ(w->chkRestritoHosp->isVisibleTo(w.get()), c.restrito) << c.kind;
        EXPECT_EQ(w->chkParenteral->isVisibleTo(w.get()), c.parenteral) << c.kind;
        // SP has no oncological rule.
        EXPECT_FALSE(w->chkOncologico->isVisibleTo(w.get()));
        EXPECT_FALSE(w->Panel4->isVisibleTo(w.get()));
    }
}

TEST_F(ExportWindow, EditionAndStateRules)
{
    gen::GeneratorOptions o = test::clearEdition(120);
    o.edition = 725;
    open(o);
    auto m725 = window(QLatin1Char('M'));
    EXPECT_FALSE(m725->chkRestritoHosp->isVisibleTo(m725.get()));
    EXPECT_FALSE(m725->chkRestritoHosp->isChecked());
    auto i725 = window(QLatin1Char('I'));
    EXPECT_FALSE(i725->chkParenteral->isVisibleTo(i725.get()));

    o.edition = 799;
    o.state = QStringLiteral("GO"); // exempts oncological medicines
    open(o);
    auto m = window(QLatin1Char('M'));
    EXPECT_TRUE(m->chkRestritoHosp->isVisibleTo(m.get()));
    EXPECT_TRUE(m->chkOncologico->isVisibleTo(m.get()));
    EXPECT_TRUE(m->chkLiberado->isVisibleTo(m.get()));
    auto i = window(QLatin1Char('I'));
    EXPECT_FALSE(i->chkParenteral->isVisibleTo(i.get()));
}

TEST_F(ExportWindow, TheFourListBoxesAreOneChoice)
{
    open();
    auto w = window(QLatin1Char('M'));
    w->CheckBox2->click();
    EXPECT_TRUE(w->CheckBox2->isChecked());
    EXPECT_FALSE(w->CheckBox1->isChecked() || w->CheckBox3->isChecked() || w->CheckBox4->isChecked());
    EXPECT_TRUE(w->wwDBGrid1->isVisibleTo(w.get()));
    EXPECT_TRUE(w->Label3->isVisibleTo(w.get()));
    const DataSet labs = edition.db().query(QStringLiteral("select count(*) from FARLABORATORIOS"));
    EXPECT_EQ(w->wwDBGrid1->model()->rowCount(), labs.row(0).integer(labs.columns().first()));
    EXPECT_EQ(w->wwDBGrid1->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Descrição Laboratório"));

    // Clicking the checked box again unchecks it and leaves the grid as it was.
    w->CheckBox2->click();
    EXPECT_FALSE(w->CheckBox2->isChecked());
    EXPECT_TRUE(w->wwDBGrid1->isVisibleTo(w.get()));
    EXPECT_EQ(w->shownList(), SelectionList::Laboratories);

    w->CheckBox1->click();
    EXPECT_EQ(w->wwDBGrid1->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Descrição Medicamento"));
    const DataSet meds = edition.db().query(QStringLiteral("select count(*) from FARMEDICAMENTOS where FARMEDTIPO = 'M'"));
    EXPECT_EQ(w->wwDBGrid1->model()->rowCount(), meds.row(0).integer(meds.columns().first()));

    w->CheckBox4->click();
    EXPECT_FALSE(w->CheckBox1->isChecked());
    EXPECT_FALSE(w->wwDBGrid1->isVisibleTo(w.get()));
}

TEST_F(ExportWindow, ListQueriesFollowTheCodingAndTheFilters)
{
    open(test::codedEdition());
    edition.saveState(QStringLiteral("GO"));
    QStringList queries;
    edition.db().setStatementObserver([&](EditionDatabase::Sent sent, const QString& sql) {
        if (sent == EditionDatabase::Sent::Query)
            queries << sql;
    });
    auto w = window(QLatin1Char('M'));
    w->CheckBox1->click();
    EXPECT_EQ(queries.last(), productListQuery(QLatin1Char('M'), false, false, true));
    EXPECT_TRUE(queries.last().endsWith(QStringLiteral("   order by NOVA_ORDEM ")));
    // Names are shown decoded.
    EXPECT_FALSE(w->wwDBGrid1->model()->index(0, 2).data().toString().contains(QRegularExpression(QStringLiteral("^[0-9A-F]{10,}$"))));

    w->chkRestritoHosp->click();
    w->chkOncologico->click();
    EXPECT_EQ(queries.last(), productListQuery(QLatin1Char('M'), true, true, true, true));
    EXPECT_TRUE(queries.last().endsWith(QStringLiteral("   order by FARMEDDESCRICAO ")));

    w->CheckBox3->click();
    EXPECT_EQ(queries.last(), QStringLiteral("select * from FARAPRESENTACOES  ORDER BY NOVA_ORDEM"));
    // The oncological click does nothing while another list is shown.
    const int before = int(queries.size());
    w->chkOncologico->click();
    EXPECT_EQ(queries.size(), before);

    auto materials = window(QLatin1Char('I'));
    materials->CheckBox1->click();
    EXPECT_EQ(queries.last(), initialProductListQuery(QLatin1Char('I')));
    edition.db().setStatementObserver({});
}

TEST_F(ExportWindow, MarksAreWrittenAtOnce)
{
    open();
    QStringList statements;
    edition.db().setStatementObserver([&](EditionDatabase::Sent sent, const QString& sql) {
        if (sent == EditionDatabase::Sent::Statement)
            statements << sql;
    });
    auto w = window(QLatin1Char('M'));
    w->CheckBox2->click();
    mark(*w, QStringLiteral("002"));
    EXPECT_EQ(flag("select FLAGSELECAO from FARLABORATORIOS where FARLABCODIGO = '002'"), QStringLiteral("S"));
    mark(*w, QStringLiteral("002"), false);
    EXPECT_EQ(flag("select FLAGSELECAO from FARLABORATORIOS where FARLABCODIGO = '002'"), QStringLiteral("N"));

    w->CheckBox1->click();
    mark(*w, QStringLiteral("00001"));
    EXPECT_EQ(flag("select SELECAO from FARMEDICAMENTOS where FARMEDCODIGO = '00001'"), QStringLiteral("S"));

    w->CheckBox3->click();
    mark(*w, QStringLiteral("0007"));
    EXPECT_EQ(statements.last(), QStringLiteral("UPDATE FARAPRESENTACOES SET FLAGSELECAO = 'S' WHERE FARAPRCODIGO = '0007'"));
    EXPECT_EQ(flag("select FLAGSELECAO from FARAPRESENTACOES where FARAPRCODIGO = '0007'"), QStringLiteral("S"));
    // The grid shows marks already in the database when a list is reopened.
    w->CheckBox2->click();
    w->CheckBox3->click();
    QAbstractItemModel* m = w->wwDBGrid1->model();
    int checked = 0;
    for (int r = 0; r < m->rowCount(); ++r)
        checked += m->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    EXPECT_EQ(checked, 1);
    edition.db().setStatementObserver({});
}

TEST_F(ExportWindow, ClosingWithTodosKeepsTheMarks)
{
    open();
    auto w = window(QLatin1Char('M'));
    w->show();
    w->CheckBox2->click();
    mark(*w, QStringLiteral("001"));
    mark(*w, QStringLiteral("003"));
    w->CheckBox4->click();
    w->Sbt_Sair->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(marks(), 2);
}

TEST_F(ExportWindow, ClosingWithAListChosenResetsEveryMark)
{
    open();
    edition.db().execute(QStringLiteral("UPDATE FARMEDICAMENTOS SET SELECAO = 'S' WHERE FARMEDCODIGO = '00002'"));
    QStringList statements;
    auto w = window(QLatin1Char('M'));
    w->show();
    w->CheckBox2->click();
    mark(*w, QStringLiteral("001"));
    mark(*w, QStringLiteral("003"));
    edition.db().setStatementObserver([&](EditionDatabase::Sent sent, const QString& sql) {
        if (sent == EditionDatabase::Sent::Statement)
            statements << sql;
    });
    w->Sbt_Sair->click();
    edition.db().setStatementObserver({});
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(marks(), 0);
    EXPECT_EQ(statements, resetStatements());
    EXPECT_FALSE(w->chkRestritoHosp->isChecked());
}

TEST_F(ExportWindow, ConfirmaWritesTheFileShowsTheMessageAndCloses)
{
    open();
    chosen = dir.filePath(QStringLiteral("medicamentos.txt"));
    auto w = window(QLatin1Char('M'));
    w->show();
    w->RadioGroup1->setItemIndex(0);
    w->RadioGroup2->setItemIndex(1);
    w->RadioGroup3->setItemIndex(1);
    w->chk_ean->setChecked(false);
    w->chkGenerico->setChecked(true);
    w->CheckBox2->click();
    mark(*w, QStringLiteral("002"));
    const ExportRequest asked = w->request();
    EXPECT_EQ(asked.content, Content::Codigo);
    EXPECT_EQ(asked.fileType, FileType::TamanhoFixo);
    EXPECT_EQ(asked.priceType, price::PriceType::PFAB);
    EXPECT_FALSE(asked.todos);
    const QByteArray expected = writerBytes(asked);

    w->SpeedButton1->click();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join('\n'));
    EXPECT_EQ(infos, QStringList{QStringLiteral("Geração de Arquivo Executada com sucesso !")});
    QFile f(chosen);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(w->Label1->text(), chosen);
    EXPECT_FALSE(w->isVisible());
    // Closed with a list chosen: the marks are reset.
    EXPECT_EQ(marks(), 0);
}

TEST_F(ExportWindow, CancelledSaveDialogDoesNothing)
{
    open();
    chosen.clear();
    auto w = window(QLatin1Char('S'));
    w->show();
    w->SpeedButton1->click();
    EXPECT_TRUE(infos.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ExportWindow, FailureShowsTheErrorAndWritesNoFile)
{
    open();
    edition.db().execute(QStringLiteral("ALTER TABLE FARAPRESENTACOES DROP FARAPRQTDE"));
    chosen = dir.filePath(QStringLiteral("falha.txt"));
    auto w = window(QLatin1Char('M'));
    w->show();
    w->SpeedButton1->click();
    EXPECT_TRUE(infos.isEmpty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->Panel4->isVisibleTo(w.get()));
    EXPECT_TRUE(w->SpeedButton1->isEnabled());
}

TEST_F(ExportWindow, CancelReallyStopsAndTheWindowStaysUsable)
{
    open(test::clearEdition(1500));
    chosen = dir.filePath(QStringLiteral("cancelado.txt"));
    auto w = window(QLatin1Char('M'));
    w->show();
    bool lockedWhileWriting = false;
    int gaugeMax = 0;
    int gaugeAtCancel = 0;
    // Runs inside the writer's event processing, once a batch of rows is written.
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!w->writing() || w->Gauge1->value() < int(kExportBatchRows))
            return;
        poll.stop();
        lockedWhileWriting = !w->SpeedButton1->isEnabled() && !w->Sbt_Sair->isEnabled() && !w->CheckBox4->isEnabled()
                          && w->btnCancelar->isEnabled() && w->Panel4->isVisibleTo(w.get());
        gaugeMax = w->Gauge1->maximum();
        gaugeAtCancel = w->Gauge1->value();
        w->btnCancelar->click();
    });
    poll.start();
    w->SpeedButton1->click();
    EXPECT_TRUE(lockedWhileWriting);
    EXPECT_GT(gaugeMax, gaugeAtCancel);
    EXPECT_EQ(gaugeAtCancel, int(kExportBatchRows));
    EXPECT_TRUE(infos.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->writing());
    EXPECT_TRUE(w->SpeedButton1->isEnabled());
}

} // namespace
} // namespace farq::exporter
