// The consultation windows, offscreen: the search screen and the result
// screen, the boxes, navigation, find, "Limpar seleção", the materials'
// hierarchy panel, the print preview, and the command line showing the very
// lines the window shows.
#include "consult/consult_print.h"
#include "consult/ui/UFarmaquiConsMate.h"
#include "consult/ui/UFarmaquiConsMedi.h"
#include "consult/ui/UFarmaquiConsSol.h"
#include "print_helpers.h"
#include "shell/edition.h"
#include "shell/ui/UFarmaquiMenu.h"
#include "support/edition_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QAbstractItemView>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace farq;
using namespace farq::consult;

namespace {

const QString kScreens = QStringLiteral("/work/screens");

int entryIndex(const ui::ConsultPage& page, const char* code)
{
    for (std::size_t i = 0; i < page.entries().size(); ++i)
        if (page.entries()[i].code.trimmed() == QLatin1String(code))
            return int(i);
    return -1;
}

QStringList editorLines(const QTextEdit* e) { return e->toPlainText().split(QLatin1Char('\n')); }

QToolButton* button(QWidget* form, const char* name)
{
    return form->findChild<QToolButton*>(QString::fromLatin1(name));
}

class ConsultWindow : public ::testing::Test {
protected:
    void SetUp() override { edition.open(test::editionCopy(test::clearEdition())); }
    Edition edition;
};

} // namespace

TEST_F(ConsultWindow, StartsAsTheSearchScreenOnTheSavedState)
{
    edition.saveState(QStringLiteral("MG"));
    TFFarConsMedi form(edition);
    form.resize(1100, 700);
    form.show();
    EXPECT_EQ(form.objectName(), QStringLiteral("TFFarConsMedi"));
    EXPECT_FALSE(form.resultScreen());
    EXPECT_TRUE(form.resultPanel()->isHidden());
    EXPECT_GT(form.searchPanel()->height(), 600); // the search panel fills the window
    EXPECT_EQ(form.stateField()->currentText(), QStringLiteral("Minas Gerais"));
    EXPECT_TRUE(form.pmcBox()->isChecked());
    EXPECT_FALSE(form.pfabBox()->isChecked());
    EXPECT_EQ(form.searchField()->objectName(), QStringLiteral("wwDBLookupCombo1"));
    EXPECT_TRUE(form.searchField()->currentText().isEmpty());
    // The search field lists the clear names.
    ASSERT_GE(entryIndex(form, "00001"), 0);
    EXPECT_EQ(form.searchField()->itemText(entryIndex(form, "00001")), QStringLiteral("Amoxicilina Triidratada"));
    QToolButton* run = button(&form, "SpeedButton6");
    ASSERT_TRUE(run);
    EXPECT_EQ(run->text(), QStringLiteral("Executar"));
    EXPECT_EQ(run->toolTip(), QStringLiteral("Clique aqui para Obter resultado da sua Pesquisa"));
}

TEST_F(ConsultWindow, SearchFieldDropsDownWhileTypingAndSelectsTheCode)
{
    TFFarConsMedi form(edition);
    form.resize(1100, 700);
    form.show();
    QApplication::setActiveWindow(&form);
    form.searchField()->setFocus();
    QTest::keyClicks(form.searchField()->lineEdit(), QStringLiteral("amoxi"));
    QCompleter* completer = form.searchField()->completer();
    ASSERT_TRUE(completer);
    EXPECT_TRUE(completer->popup()->isVisible());
    EXPECT_EQ(completer->currentCompletion(), QStringLiteral("Amoxicilina Triidratada"));
    // Choosing the entry: its code is the lookup value, and the page is written.
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(form.currentRequest().code.trimmed(), QStringLiteral("00001"));
    EXPECT_TRUE(form.editor()->toPlainText().contains(QStringLiteral("Laboratório D'Ávila Ltda.")));
    // Typed text that names no entry has no code: a page with the headings only.
    form.searchField()->lineEdit()->clear();
    QTest::keyClicks(form.searchField()->lineEdit(), QStringLiteral("zzz"));
    EXPECT_TRUE(form.currentRequest().code.isEmpty());
    form.execute();
    EXPECT_EQ(form.editor()->document()->blockCount(), 2);
}

TEST_F(ConsultWindow, PriceBoxesAreExclusiveAndCanBothBeCleared)
{
    TFFarConsMedi form(edition);
    form.show();
    QCheckBox* pmc = form.pmcBox();
    QCheckBox* pfab = form.pfabBox();
    pfab->click();
    EXPECT_TRUE(pfab->isChecked());
    EXPECT_FALSE(pmc->isChecked());
    pmc->click();
    EXPECT_TRUE(pmc->isChecked());
    EXPECT_FALSE(pfab->isChecked());
    pmc->click(); // unchecking leaves both unchecked
    EXPECT_FALSE(pmc->isChecked());
    EXPECT_FALSE(pfab->isChecked());
    form.selectEntry(entryIndex(form, "00001"));
    form.execute();
    const QStringList lines = editorLines(form.editor());
    ASSERT_GT(lines.size(), 3);
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("        0,00"))) << lines[3];
}

TEST_F(ConsultWindow, ExecuteShowsTheResultScreenWithTheWrittenPage)
{
    TFFarConsMedi form(edition);
    form.resize(1100, 700);
    form.show();
    form.selectEntry(entryIndex(form, "00001"));
    form.execute();
    EXPECT_TRUE(form.resultScreen());
    EXPECT_EQ(form.searchPanel()->height(), 95);
    const std::optional<Page> expected = runProductPage(edition, form.page(), form.currentRequest());
    ASSERT_TRUE(expected);
    EXPECT_EQ(form.editor()->toPlainText(), expected->plainText());
    EXPECT_TRUE(form.editor()->isReadOnly());
    // Line attributes: headings bold, groups blue, rows regular in the default colour.
    const QTextDocument* doc = form.editor()->document();
    ASSERT_EQ(doc->blockCount(), int(expected->lines.size()));
    for (int i = 0; i < doc->blockCount(); ++i) {
        const QTextCharFormat f = doc->findBlockByNumber(i).begin().fragment().charFormat();
        const PageLine& l = expected->lines[std::size_t(i)];
        EXPECT_EQ(f.fontWeight() == QFont::Bold, l.bold) << i;
        if (l.colour == LineColour::Blue)
            EXPECT_EQ(f.foreground().color(), QColor(0, 0, 255)) << i;
        else
            EXPECT_NE(f.foreground().color(), QColor(0, 0, 255)) << i;
    }
    EXPECT_TRUE(QFontInfo(doc->defaultFont()).fixedPitch());
    EXPECT_EQ(doc->defaultFont().family(), QStringLiteral("Courier New"));

    QDir().mkpath(kScreens);
    EXPECT_TRUE(form.grab().save(kScreens + QStringLiteral("/consulta_medicamentos_resultado.png")));
}

TEST_F(ConsultWindow, EmptySearchFieldLeavesThePageAsItIs)
{
    TFFarConsMedi form(edition);
    form.show();
    form.selectEntry(entryIndex(form, "00001"));
    form.execute();
    const QString before = form.editor()->toPlainText();
    form.searchField()->setEditText(QString());
    form.execute();
    EXPECT_EQ(form.editor()->toPlainText(), before);
    // "Limpar seleção" empties the field and the page; the layout stays.
    button(&form, "SpeedButton5")->click();
    EXPECT_TRUE(form.searchField()->currentText().isEmpty());
    EXPECT_TRUE(form.editor()->toPlainText().isEmpty());
    EXPECT_TRUE(form.resultScreen());
}

TEST_F(ConsultWindow, DatabaseErrorIsShownWithTheEnginesMessageAndLeavesThePageEmpty)
{
    TFFarConsMedi form(edition);
    form.show();
    form.selectEntry(entryIndex(form, "00001"));
    form.execute();
    ASSERT_FALSE(form.editor()->toPlainText().isEmpty());
    QStringList messages;
    form.showMessage = [&](const QString& m) { messages << m; };
    form.setPageWriter([](const PageRequest&) -> std::optional<Page> {
        throw DatabaseError(QStringLiteral("Dynamic SQL Error"));
    });
    form.execute();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Dynamic SQL Error")});
    EXPECT_TRUE(form.editor()->toPlainText().isEmpty());
    EXPECT_TRUE(form.editor()->isHidden());
}

TEST_F(ConsultWindow, NavigationStopsAtTheFirstAndLastEntryAndRewritesThePage)
{
    TFFarConsSol form(edition);
    form.show();
    const int last = int(form.entries().size()) - 1;
    ASSERT_GT(last, 0);
    form.selectEntry(0);
    form.execute();
    const QString firstPage = form.editor()->toPlainText();
    form.editor()->clear();
    button(&form, "SpeedButton3")->click(); // "Retrocede" on the first entry
    EXPECT_EQ(form.currentEntry(), 0);
    EXPECT_EQ(form.editor()->toPlainText(), firstPage);
    button(&form, "SpeedButton4")->click(); // "Avança"
    EXPECT_EQ(form.currentEntry(), 1);
    EXPECT_EQ(form.searchField()->currentText(), form.entries()[1].name);
    EXPECT_NE(form.editor()->toPlainText(), firstPage);
    form.selectEntry(last);
    form.execute();
    const QString lastPage = form.editor()->toPlainText();
    form.editor()->clear();
    button(&form, "SpeedButton4")->click();
    EXPECT_EQ(form.currentEntry(), last);
    EXPECT_EQ(form.editor()->toPlainText(), lastPage);
}

TEST_F(ConsultWindow, ChangeOfTheSearchFieldWritesThePageWhereThePageSaysSo)
{
    TFFarConsMedi medicines(edition);
    medicines.show();
    medicines.searchField()->setCurrentIndex(entryIndex(medicines, "00001"));
    EXPECT_FALSE(medicines.editor()->toPlainText().isEmpty());

    TFFarConsSol solutions(edition);
    solutions.show();
    solutions.searchField()->setCurrentIndex(entryIndex(solutions, "00005"));
    EXPECT_TRUE(solutions.editor()->toPlainText().isEmpty());
    QTest::keyClick(solutions.searchField()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(solutions.resultScreen());
    EXPECT_EQ(solutions.searchPanel()->height(), 85);
    EXPECT_FALSE(solutions.editor()->toPlainText().isEmpty());
    EXPECT_TRUE(solutions.stateField()->isHidden());
    EXPECT_TRUE(solutions.pmcBox()->isHidden());
}

TEST_F(ConsultWindow, ChoosingTheCurrentEntryAgainAfterEditingTakesItsCode)
{
    TFFarConsMedi form(edition);
    form.show();
    const int first = entryIndex(form, "00001");
    const int other = entryIndex(form, "00003");
    ASSERT_GE(first, 0);
    ASSERT_GE(other, 0);
    form.searchField()->setCurrentIndex(first);
    EXPECT_EQ(form.currentRequest().code.trimmed(), QStringLiteral("00001"));
    // The text is edited to another entry's name, then the first entry is
    // chosen again from the list: the index does not change.
    QLineEdit* line = form.searchField()->lineEdit();
    line->setText(form.entries()[std::size_t(other)].name);
    emit line->textEdited(line->text());
    EXPECT_EQ(form.currentRequest().code.trimmed(), QStringLiteral("00003"));
    emit form.searchField()->activated(first);
    EXPECT_EQ(form.currentRequest().code.trimmed(), QStringLiteral("00001"));
}

TEST_F(ConsultWindow, FindSelectsTheNextMatchWithoutRegardToCase)
{
    TFFarConsMedi form(edition);
    form.show();
    form.selectEntry(entryIndex(form, "00001"));
    form.execute();
    QTextEdit* e = form.editor();
    ASSERT_TRUE(form.findNext(QStringLiteral("icms")));
    EXPECT_EQ(e->textCursor().selectedText(), QStringLiteral("ICMS"));
    EXPECT_EQ(e->textCursor().selectionStart(), 14);
    // Only one "ICMS" on the page: searching again leaves the selection on it.
    EXPECT_FALSE(form.findNext(QStringLiteral("icms")));
    EXPECT_EQ(e->textCursor().selectionStart(), 14);
    // Successive finds move on through the page.
    ASSERT_TRUE(form.findNext(QStringLiteral("cápsula")));
    const int first = e->textCursor().selectionStart();
    ASSERT_TRUE(form.findNext(QStringLiteral("CÁPSULA")));
    EXPECT_GT(e->textCursor().selectionStart(), first);
    EXPECT_FALSE(form.findNext(QStringLiteral("não existe na página")));
    EXPECT_EQ(e->textCursor().selectedText().toLower(), QStringLiteral("cápsula"));
    form.openFind();
    EXPECT_TRUE(form.findDialog()->isVisible());
    EXPECT_FALSE(form.findDialog()->isModal());
}

TEST_F(ConsultWindow, MaterialsHierarchyPanelShowsTheChainOfTheFirstRow)
{
    TFFarConsMate form(edition);
    form.resize(1100, 700);
    form.show();
    EXPECT_TRUE(form.stateField()->isHidden());
    QStringList messages;
    form.showMessage = [&](const QString& m) { messages << m; };
    form.SpeedButton15->click(); // before any page: no row, no hierarchy
    EXPECT_EQ(messages, QStringList{kNoHierarchyMessage});
    EXPECT_TRUE(form.Panel4->isHidden());

    form.selectEntry(entryIndex(form, "00004"));
    form.execute();
    EXPECT_EQ(form.searchPanel()->height(), 75);
    ASSERT_TRUE(button(&form, "SpeedButton12"));
    EXPECT_EQ(button(&form, "SpeedButton12")->text(), QStringLiteral("Relatório"));
    form.SpeedButton15->click();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(form.Panel4->isHidden());
    EXPECT_EQ(form.Panel4->height(), 305);
    EXPECT_FALSE(form.searchPanel()->isEnabled());
    EXPECT_EQ(form.Titulo->text(), QStringLiteral("Hierarquia"));
    const QStringList chain = firstRowHierarchy(edition, form.page(), form.currentRequest().code);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(form.Labels[i]->text(), i < chain.size() ? chain[i] : QString()) << i;
    QDir().mkpath(kScreens);
    EXPECT_TRUE(form.grab().save(kScreens + QStringLiteral("/consulta_materiais_hierarquia.png")));
    form.findChild<QToolButton*>(QStringLiteral("SpeedButton6"))->click();
    EXPECT_TRUE(form.Panel4->isHidden());
    EXPECT_TRUE(form.searchPanel()->isEnabled());
}

TEST_F(ConsultWindow, ReportPreviewShowsThePrintedPage)
{
    TFFarConsMedi form(edition);
    form.show();
    form.selectEntry(entryIndex(form, "00001"));
    form.execute();
    bool shown = false;
    ui::ConsultPage::previewHandler() = [&](QPrintPreviewDialog& d) {
        shown = true;
        d.resize(900, 1000);
        d.show();
        QApplication::processEvents();
        QAction* savePdf = d.findChild<QAction*>(QStringLiteral("SavePdf"));
        EXPECT_TRUE(savePdf);
        if (savePdf)
            savePdf->trigger();
        QDir().mkpath(kScreens);
        EXPECT_TRUE(d.grab().save(kScreens + QStringLiteral("/consulta_medicamentos_relatorio.png")));
        d.close();
    };
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("relatorio.pdf"));
    auto chooser = ui::ConsultPage::pdfPathChooser();
    ui::ConsultPage::pdfPathChooser() = [&](QWidget*) { return pdf; };
    button(&form, "SpeedButton1")->click();
    ui::ConsultPage::previewHandler() = nullptr;
    ui::ConsultPage::pdfPathChooser() = chooser;
    EXPECT_TRUE(shown);
    // "Salvar PDF" in the preview wrote the report with its header band.
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Farmáquion - Edição 811")));
    EXPECT_TRUE(text.contains(QStringLiteral("Amoxicilina Triidratada")));
    EXPECT_TRUE(text.contains(QStringLiteral("Laboratório ( ICMS 18,0 % )")));
}

TEST(ConsultMenu, MainWindowOpensTheFormsInTabsAndPrintsThroughItsEditor)
{
    TFFarmaquiMenu window;
    QString error;
    ASSERT_TRUE(window.FormCreate(test::editionCopy(test::clearEdition()), &error)) << error.toStdString();
    struct Case {
        const char* form;
        const char* caption;
    } cases[] = {{"TFFarConsMedi", "Medicamentos-Medicamento"}, {"TFFarConsMate", "Materiais-Material"},
                 {"TFFarConsSol", "Soluções-Solução"}};
    for (const Case& c : cases) {
        QWidget* w = window.OpenInTab(QString::fromLatin1(c.form), QString::fromUtf8(c.caption));
        auto* page = qobject_cast<ui::ProductConsultation*>(w);
        ASSERT_TRUE(page) << c.form;
        EXPECT_EQ(window.RzPageControl1->tabText(window.RzPageControl1->currentIndex()), QString::fromUtf8(c.caption));
        EXPECT_STREQ(page->page().formClass, c.form);
    }
    auto* solutions = qobject_cast<ui::ProductConsultation*>(window.RzPageControl1->currentWidget()->findChild<TFFarConsSol*>());
    ASSERT_TRUE(solutions);
    solutions->selectEntry(entryIndex(*solutions, "00005"));
    solutions->execute();
    ui::ConsultPage::previewHandler() = [](QPrintPreviewDialog&) {};
    button(solutions, "SpeedButton1")->click();
    ui::ConsultPage::previewHandler() = nullptr;
    EXPECT_EQ(window.Editor->toPlainText(), solutions->editor()->toPlainText());
}

namespace {

struct CliRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList& args)
{
    const QString cli = qEnvironmentVariable("FARQ_CLI");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("pt_BR.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(cli, args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

// The command line writes the lines the window shows, with their colours and weights.
TEST(ConsultCli, LinesEqualWhatTheWindowShows)
{
    ASSERT_FALSE(qEnvironmentVariable("FARQ_CLI").isEmpty());
    for (bool coded : {false, true}) {
        Edition edition;
        const QString path = test::editionCopy(coded ? test::codedEdition() : test::clearEdition());
        edition.open(path);
        edition.saveState(QStringLiteral("ZF"));
        struct Case {
            std::unique_ptr<ui::ProductConsultation> form;
            const char* product;
            QStringList options;
        };
        std::vector<Case> cases;
        cases.push_back({std::make_unique<TFFarConsMedi>(edition), "00001", {"--estado", "RJ", "--pfab"}});
        cases.push_back({std::make_unique<TFFarConsMedi>(edition), "00002", {}}); // the saved state: ZF, PMC
        cases.push_back({std::make_unique<TFFarConsMate>(edition), "00004", {}});
        cases.push_back({std::make_unique<TFFarConsSol>(edition), "00005", {}});
        for (Case& c : cases) {
            ui::ProductConsultation& form = *c.form;
            form.show();
            if (c.options.contains(QStringLiteral("--estado")))
                form.stateField()->setCurrentIndex(form.stateField()->findText(QStringLiteral("Rio de Janeiro")));
            if (c.options.contains(QStringLiteral("--pfab")))
                form.pfabBox()->click();
            form.selectEntry(entryIndex(form, c.product));
            form.execute();
            const QStringList window = editorLines(form.editor());
            const QStringList args = QStringList{"--banco", path, "consulta", form.page().cliName, "--produto",
                                                 c.product} + c.options;
            const CliRun text = runCli(args);
            ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
            QString out = QString::fromUtf8(text.out);
            ASSERT_TRUE(out.endsWith(QLatin1Char('\n')));
            out.chop(1);
            EXPECT_EQ(out.split(QLatin1Char('\n')), window) << form.page().cliName << " coded " << coded;

            const CliRun json = runCli(args + QStringList{"--formato", "json"});
            ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
            const QJsonArray lines = QJsonDocument::fromJson(json.out).array();
            const QTextDocument* doc = form.editor()->document();
            ASSERT_EQ(lines.size(), doc->blockCount());
            for (int i = 0; i < doc->blockCount(); ++i) {
                const QJsonObject o = lines[i].toObject();
                const QTextCharFormat f = doc->findBlockByNumber(i).begin().fragment().charFormat();
                EXPECT_EQ(o.value("texto").toString(), window[i]);
                EXPECT_EQ(o.value("negrito").toBool(), f.fontWeight() == QFont::Bold) << i;
                EXPECT_EQ(o.value("cor").toString() == QLatin1String("azul"),
                          f.foreground().color() == QColor(0, 0, 255))
                    << i;
            }
        }
    }
}

TEST(ConsultCli, RefusesWhatThePageDoesNotOffer)
{
    const QString path = test::editionCopy(test::clearEdition());
    struct Case {
        QStringList args;
        int exitCode;
        const char* mentions;
    } cases[] = {
        {{"consulta", "materiais-produto", "--produto", "00004", "--estado", "SP"}, 2, "--estado"},
        {{"consulta", "solucoes-produto", "--produto", "00005", "--pmc"}, 2, "--pmc"},
        {{"consulta", "medicamentos-produto"}, 2, "--produto"},
        {{"consulta", "medicamentos-produto", "--produto", "00004"}, 2, "00004"}, // a material
        {{"consulta", "medicamentos-produto", "--produto", "00001", "--estado", "QQ"}, 2, "QQ"},
        {{"consulta", "medicamentos-produto", "--produto", "00001", "--pmc", "--pfab"}, 2, "--pfab"},
        {{"consulta", "medicamentos-produto", "--produto", "00001", "--formato", "xml"}, 2, "xml"},
        {{"consulta", "pagina-nenhuma"}, 2, "pagina-nenhuma"},
        {{"consulta", "solucoes-produto", "--produto", "00005", "--pdf", "/nao/existe/dir/x.pdf"}, 1, "x.pdf"},
    };
    for (const Case& c : cases) {
        const CliRun r = runCli(QStringList{"--banco", path} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QString::fromUtf8(c.mentions)))
            << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
}

namespace {

QString pdfPageText(const QString& pdf, int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf,
                                          "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (l.startsWith(QLatin1String("Pages:")))
            return l.mid(6).trimmed().toInt();
    return 0;
}

} // namespace

TEST(ConsultPrint, EveryPageHasTheHeaderBandWithItsNumber)
{
    // A product sold in many presentations: a page of several printed pages.
    gen::GeneratorOptions o = test::codedEdition();
    o.bigProductPresentations = 180;
    const QString path = test::editionCopy(o);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("pagina.pdf"));
    const CliRun r = runCli({"--banco", path, "consulta", "medicamentos-produto", "--produto", gen::known::kBigProduct,
                             "--pdf", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    const int pages = pdfPages(pdf);
    ASSERT_GE(pages, 3);
    for (int i = 1; i <= pages; ++i) {
        const QString text = pdfPageText(pdf, i);
        EXPECT_TRUE(text.contains(QStringLiteral("Farmáquion - Edição 812"))) << i;
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Página\\s+%1\\b").arg(i)))) << i;
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Data\\s+\\S")))) << i;
        EXPECT_TRUE(text.contains(QStringLiteral("Medicamentos"))) << i;
    }
    // The text flows on: the first page starts with the headings, the last ends with the last row.
    EXPECT_TRUE(pdfPageText(pdf, 1).contains(QStringLiteral("Apresentação")));
    EXPECT_FALSE(pdfPageText(pdf, 2).contains(QStringLiteral("Apresentação")));
}

TEST(ConsultPrint, FormsAsDataWithTheirTagRules)
{
    struct Case {
        const char* form;
        const char* tag;
        const char* subtitle;
    } cases[] = {
        {"TFFarConsMediRel", "", "Medicamentos"},     {"TFFarConsMediRel", "EAN", "EAN / TISS"},
        {"TFFarConsMediRel", "TUSS", "Medicamentos"}, {"TFFarConsMediRel", "TISS", "Medicamentos"},
        {"TFFarConsMateRel", "TISS", "CONSULTA TISS"}, {"TFFarConsMateRel", "EAN", "Materiais"},
        {"TFFarConsSolRel", "TISS", "CONSULTA TISS"},  {"TFFarConsSolRel", "", "Soluções"},
        {"TFFarConsSolCodRel", "", "Soluções  (Códigos)"},
    };
    for (const Case& c : cases) {
        const PrintForm* f = findPrintForm(QString::fromLatin1(c.form));
        ASSERT_TRUE(f) << c.form;
        EXPECT_EQ(printSubtitle(*f, QString::fromLatin1(c.tag)), QString::fromUtf8(c.subtitle)) << c.form << c.tag;
    }
    EXPECT_EQ(printTitle(*findPrintForm(QStringLiteral("TFFarConsMediRel")), 812),
              QStringLiteral("Farmáquion - Edição 812"));
    EXPECT_EQ(printTitle(*findPrintForm(QStringLiteral("TFFarConsMateCodRel")), 812),
              QStringLiteral("Farmaquíon - Edição 812"));
    EXPECT_EQ(findPrintForm(QStringLiteral("TFFarConsMatLabRel"))->fontPoints, 8);
    EXPECT_EQ(findPrintForm(QStringLiteral("TFFarNada")), nullptr);
    EXPECT_EQ(printPageText(1), QStringLiteral("Página   1"));
}

TEST(ConsultPrint, WideLinesKeepTheirColumnsOnPaper)
{
    // A 139-character line (free-trade-zone prices and IPI) prints on one line.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("largo.pdf"));
    PrintJob job;
    job.form = findPrintForm(QStringLiteral("TFFarConsMateRel"));
    const QString wide = QStringLiteral("INICIO") + QString(139 - 9, QLatin1Char('.')) + QStringLiteral("FIM");
    ASSERT_EQ(wide.size(), 139);
    job.text = QStringLiteral("Laboratório\n") + wide;
    ASSERT_EQ(writeConsultationPdf(pdf, job), QString());
    const QStringList lines = pdfPageText(pdf, 1).split(QLatin1Char('\n'));
    bool together = false;
    for (const QString& l : lines)
        together = together || (l.contains(QStringLiteral("INICIO")) && l.contains(QStringLiteral("FIM")));
    EXPECT_TRUE(together) << pdfPageText(pdf, 1);
    // A page that fits keeps the form's own size.
    QPdfWriter writer(dir.filePath(QStringLiteral("x.pdf")));
    preparePrintDevice(writer);
    const double width = writer.width();
    EXPECT_EQ(fittingDetailFont(9, QStringLiteral("curta"), width, &writer).pointSizeF(), 9.0);
    EXPECT_LT(fittingDetailFont(9, wide, width, &writer).pointSizeF(), 9.0);
}

TEST(ConsultPrint, PdfIsWrittenWholeOrNotAtAll)
{
    QTemporaryDir dir;
    PrintJob job;
    job.form = findPrintForm(QStringLiteral("TFFarConsSolRel"));
    job.text = QStringLiteral("Laboratório");
    job.editionNumber = 811;
    job.date = QDate(2026, 11, 1);
    const QString target = dir.filePath(QStringLiteral("sem-pasta/x.pdf"));
    EXPECT_FALSE(writeConsultationPdf(target, job).isEmpty());
    EXPECT_FALSE(QFile::exists(target));
    const QString ok = dir.filePath(QStringLiteral("x.pdf"));
    EXPECT_TRUE(writeConsultationPdf(ok, job).isEmpty());
    EXPECT_EQ(pdfPages(ok), 1);
    EXPECT_TRUE(pdfPageText(ok, 1).contains(QStringLiteral("Soluções")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"x.pdf"}); // no temporary left behind
}
