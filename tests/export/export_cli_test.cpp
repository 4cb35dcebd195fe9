// farmaquion-cli exporta against the writer the window uses: the same bytes
// for the same request, the selection options, and the refusals.
#include "export/export_selection.h"
#include "export/export_writer.h"

#include "shell/edition.h"
#include "export_test_support.h"
#include "support/edition_fixture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace farq::exporter {
namespace {

using price::PriceType;

struct CliResult {
    int code = -1;
    QByteArray out;
    QString err;
};

class ExportCli : public ::testing::Test {
protected:
    void open(const gen::GeneratorOptions& options = test::clearEdition())
    {
        path_ = test::editionCopy(options);
        edition.open(path_);
        edition.upgrade();
    }

    CliResult cli(const QStringList& args)
    {
        const QString program = qEnvironmentVariable("FARQ_CLI");
        EXPECT_FALSE(program.isEmpty()) << "FARQ_CLI is not set";
        QProcess p;
        p.start(program, QStringList{QStringLiteral("--banco"), path_, QStringLiteral("exporta")} + args);
        EXPECT_TRUE(p.waitForFinished(300000));
        CliResult r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QByteArray writer(const ExportRequest& r)
    {
        ExportJob job(edition, r.kind, isFreeTradeZoneState(edition.savedState()));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const ExportOutcome o = job.write(r, buffer);
        EXPECT_TRUE(o.ok()) << qPrintable(o.message);
        return buffer.data();
    }

    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    int marks() { return test::exportMarks(edition); }

    Edition edition;
    QString path_;
    QTemporaryDir dir;
};

struct SameBytesCase {
    const char* name;
    char kind;
    QStringList args;
    std::function<void(ExportRequest&)> set;
};

TEST_F(ExportCli, SameBytesAsTheWindowsWriter)
{
    open();
    // Generated editions mark only solutions as parenteral nutrition.
    edition.db().execute(QStringLiteral("UPDATE FARMEDICAMENTOS SET PARENTERAL = 'S' WHERE FARMEDCODIGO = '%1'")
                             .arg(QLatin1String(gen::known::kMaterial)));
    const SameBytesCase cases[] = {
        {"medicines defaults", 'M', {}, [](ExportRequest&) {}},
        {"medicines fixed codes PFB generic", 'M',
         {"--arquivo", "fixo", "--conteudo", "codigo", "--preco", "PFB", "--generico"},
         [](ExportRequest& r) {
             r.fileType = FileType::TamanhoFixo;
             r.content = Content::Codigo;
             r.priceType = PriceType::PFAB;
             r.generico = true;
         }},
        {"medicines names restricted", 'M', {"--conteudo", "descricao", "--sem-ean", "--sem-tiss", "--restrito"},
         [](ExportRequest& r) {
             r.content = Content::Descricao;
             r.ean = r.tiss = false;
             r.restrito = true;
         }},
        {"materials fixed hierarchy", 'I', {"--arquivo", "fixo", "--hierarquia"},
         [](ExportRequest& r) {
             r.fileType = FileType::TamanhoFixo;
             r.hierarquia = true;
         }},
        {"materials delimited codes parenteral", 'I', {"--conteudo", "codigo", "--sem-tuss", "--parenteral"},
         [](ExportRequest& r) {
             r.content = Content::Codigo;
             r.tuss = false;
             r.parenteral = true;
         }},
        {"solutions fixed names", 'S', {"--arquivo", "fixo", "--conteudo", "descricao", "--sem-tiss"},
         [](ExportRequest& r) {
             r.fileType = FileType::TamanhoFixo;
             r.content = Content::Descricao;
             r.tiss = false;
         }},
    };
    for (const SameBytesCase& c : cases) {
        const QString file = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".txt"));
        const CliResult r = cli(QStringList{QStringLiteral("--tipo"), QString(QLatin1Char(c.kind)),
                                            QStringLiteral("--saida"), file}
                                + c.args);
        ASSERT_EQ(r.code, 0) << c.name << ": " << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty()) << c.name;
        ExportRequest request = defaultRequest(QLatin1Char(c.kind), false);
        c.set(request);
        const QByteArray expected = writer(request);
        EXPECT_FALSE(expected.isEmpty()) << c.name;
        EXPECT_EQ(read(file), expected) << c.name;
    }
}

TEST_F(ExportCli, ListedItemsAreMarkedExportedAndReset)
{
    open();
    // A mark left by an earlier session does not narrow the listed export.
    writeMark(edition.db(), SelectionList::Presentations, QStringLiteral("0001"), true);
    const QString file = dir.filePath(QStringLiteral("labs.txt"));
    const CliResult r = cli({QStringLiteral("--tipo"), QStringLiteral("M"), QStringLiteral("--laboratorios"),
                             QStringLiteral("001,003"), QStringLiteral("--saida"), file});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(marks(), 0);

    writeMark(edition.db(), SelectionList::Laboratories, QStringLiteral("001"), true);
    writeMark(edition.db(), SelectionList::Laboratories, QStringLiteral("003"), true);
    ExportRequest request = defaultRequest(QLatin1Char('M'), false);
    request.todos = false;
    const QByteArray expected = writer(request);
    resetMarks(edition.db());
    EXPECT_EQ(read(file), expected);
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_LT(expected.size(), writer(defaultRequest(QLatin1Char('M'), false)).size());
}

TEST_F(ExportCli, MarkedUsesTheMarksAndKeepsThem)
{
    open();
    writeMark(edition.db(), SelectionList::Products, QStringLiteral("00001"), true);
    ExportRequest request = defaultRequest(QLatin1Char('M'), false);
    request.todos = false;
    const QByteArray expected = writer(request);
    const QString file = dir.filePath(QStringLiteral("marcados.txt"));
    const CliResult r = cli({QStringLiteral("--tipo"), QStringLiteral("M"), QStringLiteral("--marcados"),
                             QStringLiteral("--saida"), file});
    ASSERT_EQ(r.code, 0) << qPrintable(r.err);
    EXPECT_EQ(read(file), expected);
    EXPECT_EQ(marks(), 1);
}

struct RefusalCase {
    const char* name;
    int edition;
    QStringList args; // --saida is added
};

TEST_F(ExportCli, OptionsTheWindowWouldNotOfferAreRefused)
{
    const RefusalCase cases[] = {
        {"hierarchy for medicines", 811, {"--tipo", "M", "--hierarquia"}},
        {"generic for materials", 811, {"--tipo", "I", "--generico"}},
        {"no EAN for materials", 811, {"--tipo", "I", "--sem-ean"}},
        {"price type for solutions", 811, {"--tipo", "S", "--preco", "PFB"}},
        {"price type for materials", 811, {"--tipo", "I", "--preco", "PMC"}},
        {"restricted for solutions", 811, {"--tipo", "S", "--restrito"}},
        {"parenteral for medicines", 811, {"--tipo", "M", "--parenteral"}},
        {"oncological in a state without the rule", 811, {"--tipo", "M", "--oncologico"}},
        {"restricted before 726", 725, {"--tipo", "M", "--restrito"}},
        {"parenteral before 800", 799, {"--tipo", "I", "--parenteral"}},
        {"unknown kind", 811, {"--tipo", "X"}},
        {"no kind", 811, {}},
        {"bad content", 811, {"--tipo", "M", "--conteudo", "tudo"}},
        {"bad price type", 811, {"--tipo", "M", "--preco", "PFAB"}},
        {"unknown product", 811, {"--tipo", "M", "--produtos", "99999"}},
        {"a material in the medicines list", 811, {"--tipo", "M", "--produtos", "00004"}},
        {"marked and listed", 811, {"--tipo", "M", "--marcados", "--laboratorios", "001"}},
    };
    for (const RefusalCase& c : cases) {
        gen::GeneratorOptions o = test::clearEdition(120);
        o.edition = c.edition;
        open(o);
        const QString file = dir.filePath(QStringLiteral("recusado.txt"));
        const CliResult r = cli(c.args + QStringList{QStringLiteral("--saida"), file});
        EXPECT_EQ(r.code, 2) << c.name << ": " << qPrintable(r.err);
        EXPECT_FALSE(r.err.trimmed().isEmpty()) << c.name;
        EXPECT_FALSE(QFileInfo::exists(file)) << c.name;
        EXPECT_EQ(marks(), 0) << c.name;
    }
}

TEST_F(ExportCli, OfferedOptionsOfTheEditionAreAccepted)
{
    // Edition 800 offers "Nutrição Parenteral"; GO exempts oncological medicines.
    gen::GeneratorOptions o = test::clearEdition(120);
    o.edition = 800;
    o.state = QStringLiteral("GO");
    open(o);
    for (const QStringList& args : {QStringList{"--tipo", "I", "--parenteral"}, QStringList{"--tipo", "M", "--oncologico"}}) {
        const QString file = dir.filePath(QStringLiteral("aceito.txt"));
        const CliResult r = cli(args + QStringList{QStringLiteral("--saida"), file});
        EXPECT_EQ(r.code, 0) << qPrintable(args.join(' ')) << ": " << qPrintable(r.err);
        EXPECT_TRUE(QFileInfo::exists(file));
        QFile::remove(file);
    }
}

TEST_F(ExportCli, ProgressOnlyWhenStderrIsATerminal)
{
    open();
    const QString file = dir.filePath(QStringLiteral("progresso.txt"));
    const CliResult plain = cli({QStringLiteral("--tipo"), QStringLiteral("S"), QStringLiteral("--saida"), file});
    ASSERT_EQ(plain.code, 0) << qPrintable(plain.err);
    EXPECT_FALSE(plain.err.contains(QStringLiteral("exportando")));

    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty())
        GTEST_SKIP() << "no script(1) to give the command a terminal";
    const QStringList command{qEnvironmentVariable("FARQ_CLI"), QStringLiteral("--banco"), path_,
                              QStringLiteral("exporta"), QStringLiteral("--tipo"), QStringLiteral("S"),
                              QStringLiteral("--saida"), file};
    QStringList quoted;
    for (const QString& a : command)
        quoted << QLatin1Char('\'') + a + QLatin1Char('\'');
    QProcess p;
    p.start(script, {QStringLiteral("-qec"), quoted.join(QLatin1Char(' ')), QStringLiteral("/dev/null")});
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString shown = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << qPrintable(shown);
    const QByteArray bytes = read(file);
    const qsizetype rows = bytes.count('\n');
    EXPECT_TRUE(shown.contains(QStringLiteral("exportando: 0 de %1 linhas").arg(rows))) << qPrintable(shown);
    EXPECT_TRUE(shown.contains(QStringLiteral("exportando: %1 de %1 linhas").arg(rows))) << qPrintable(shown);
}

TEST_F(ExportCli, UnwritableOutputIsAFailureWithNoFile)
{
    open();
    const QString file = dir.filePath(QStringLiteral("nao/existe/precos.txt"));
    const CliResult r = cli({QStringLiteral("--tipo"), QStringLiteral("M"), QStringLiteral("--saida"), file});
    EXPECT_EQ(r.code, 1) << qPrintable(r.err);
    EXPECT_FALSE(QFileInfo::exists(file));
}

} // namespace
} // namespace farq::exporter
