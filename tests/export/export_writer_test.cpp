// The export writer over generated editions: the rows, the prices, the edge
// cases of the price rows, the marks, the fallback query, and files that
// appear complete or not at all.
#include "export/export_selection.h"
#include "export/export_writer.h"

#include "shell/codec.h"
#include "shell/edition.h"
#include "support/edition_fixture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace farq::exporter {
namespace {

using price::PriceType;

QString key(const Row& r)
{
    return r.text(QStringLiteral("FARPRELABOR")) + r.text(QStringLiteral("FARPREMEDIC"))
         + r.text(QStringLiteral("FARPREAPRE"));
}

class ExportWriter : public ::testing::Test {
protected:
    void open(const gen::GeneratorOptions& options = test::clearEdition())
    {
        path_ = test::editionCopy(options);
        edition.open(path_);
        edition.upgrade();
    }

    ExportRequest req(QChar kind, Content content, FileType type) const
    {
        ExportRequest r = defaultRequest(kind, false);
        r.content = content;
        r.fileType = type;
        return r;
    }

    QByteArray run(const ExportRequest& r, ExportOutcome* outcome = nullptr)
    {
        ExportJob job(edition, r.kind, isFreeTradeZoneState(edition.savedState()));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const ExportOutcome o = job.write(r, buffer);
        if (outcome)
            *outcome = o;
        EXPECT_TRUE(o.ok()) << qPrintable(o.message);
        return buffer.data();
    }

    // The lines of a file, each checked to end with CR LF.
    static QStringList lines(const QByteArray& bytes)
    {
        QStringList out;
        if (bytes.isEmpty())
            return out;
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QList<QByteArray> parts = bytes.split('\n');
        parts.removeLast();
        for (const QByteArray& p : parts) {
            EXPECT_TRUE(p.endsWith('\r'));
            out << fromCp1252(p.left(p.size() - 1));
        }
        return out;
    }

    // A price column of every row of a kind, by catalogue code.
    QMap<QString, double> column(const QString& name, QChar kind)
    {
        QMap<QString, double> m;
        for (const Row r : edition.db().query(
                 QStringLiteral("select FARPRELABOR, FARPREMEDIC, FARPREAPRE, %1 from FARPRECOS where FARPREMEDSOLU = '%2'")
                     .arg(name)
                     .arg(kind)))
            m.insert(key(r), r.number(name));
        return m;
    }

    qint64 count(const QString& where)
    {
        const DataSet ds = edition.db().query(
            QStringLiteral("select count(*) from FARPRECOS A inner join FARMEDICAMENTOS C on A.FARPREMEDIC = "
                           "C.FARMEDCODIGO where ")
            + where);
        return ds.row(0).integer(ds.columns().first());
    }

    Edition edition;
    QString path_;
};

QString col(const QString& line, int first, int last) { return line.mid(first - 1, last - first + 1); }

TEST_F(ExportWriter, OneCrLfLinePerPriceRowInCodeOrder)
{
    open();
    ExportRequest r = req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo);
    r.ean = false;
    ExportOutcome outcome;
    const QStringList out = lines(run(r, &outcome));
    EXPECT_EQ(out.size(), count(QStringLiteral("C.FARMEDTIPO = 'M'")));
    EXPECT_EQ(outcome.rows, out.size());
    EXPECT_FALSE(outcome.fallback);
    QString previous;
    for (const QString& line : out) {
        // 60 of main part, then the TISS code or 10 blanks.
        ASSERT_EQ(line.size(), 70) << qPrintable(line);
        EXPECT_LT(previous, line.left(12));
        previous = line.left(12);
        EXPECT_EQ(col(line, 13, 27).trimmed().count(QLatin1Char('.')), 1);
        EXPECT_EQ(col(line, 32, 34), QStringLiteral("PMC"));
    }
}

TEST_F(ExportWriter, PriceAndUnitPriceFromTheStateAndTheQuantity)
{
    open();
    // The saved state SP (18 %, no generics rate): PMC is FARPREALIQ1.
    edition.db().execute(QStringLiteral("UPDATE FARAPRESENTACOES SET FARAPRQTDE = 0 WHERE FARAPRCODIGO = '0001'"));
    edition.db().execute(QStringLiteral("UPDATE FARAPRESENTACOES SET FARAPRQTDE = 20 WHERE FARAPRCODIGO = '0002'"));
    edition.db().execute(QStringLiteral("UPDATE FARAPRESENTACOES SET FARAPRQTDE = NULL WHERE FARAPRCODIGO = '0003'"));
    const QMap<QString, double> aliq1 = column(QStringLiteral("FARPREALIQ1"), QLatin1Char('M'));
    const QStringList out = lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo)));
    int checked = 0;
    for (const QString& line : out) {
        const double price = aliq1.value(line.left(12));
        EXPECT_EQ(col(line, 13, 27), fitRight(formatNumber(price, 2), 15)) << qPrintable(line);
        const QString pres = line.mid(8, 4);
        if (pres == QLatin1String("0001") || pres == QLatin1String("0003")) {
            EXPECT_EQ(col(line, 28, 31), QStringLiteral("   0"));
            EXPECT_EQ(col(line, 35, 49), col(line, 13, 27));
            ++checked;
        } else if (pres == QLatin1String("0002")) {
            EXPECT_EQ(col(line, 28, 31), QStringLiteral("  20"));
            EXPECT_EQ(col(line, 35, 49), fitRight(formatNumber(price / 20, 2), 15));
            ++checked;
        }
    }
    EXPECT_GE(checked, 3);
}

TEST_F(ExportWriter, StateRateMatchingNothingGivesZero)
{
    open();
    edition.saveState(QStringLiteral("XV")); // 25 %, no generics rate
    for (const QString& line : lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo)))) {
        EXPECT_EQ(col(line, 13, 27), QStringLiteral("           0.00"));
        EXPECT_EQ(col(line, 35, 49), QStringLiteral("           0.00"));
    }
}

TEST_F(ExportWriter, MissingStateRowCountsAsRateZero)
{
    open();
    edition.db().execute(QStringLiteral("UPDATE FARPARAMETROS SET FARPARAESTADO = 'QQ'"));
    edition.reloadParams();
    const QMap<QString, double> zero = column(QStringLiteral("FARPPRE_ZERO"), QLatin1Char('M'));
    const QStringList out = lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo)));
    ASSERT_FALSE(out.isEmpty());
    for (const QString& line : out)
        EXPECT_EQ(col(line, 13, 27), fitRight(formatNumber(zero.value(line.left(12)), 2), 15));
}

TEST_F(ExportWriter, RateOf17Point4RoundsForMaterialsOnly)
{
    open();
    edition.db().execute(QStringLiteral("UPDATE FARESTADOS SET ALIQUOTA = 17.4 WHERE ESTADO = 'SP'"));
    const QMap<QString, double> aliq5 = column(QStringLiteral("FARPREALIQ5"), QLatin1Char('I'));
    const QStringList materials = lines(run(req(QLatin1Char('I'), Content::Codigo, FileType::TamanhoFixo)));
    ASSERT_FALSE(materials.isEmpty());
    for (const QString& line : materials) {
        EXPECT_EQ(col(line, 13, 27), fitRight(formatNumber(aliq5.value(line.left(12)), 2), 15));
        EXPECT_EQ(col(line, 32, 34), QStringLiteral("PFB"));
    }
    for (const QString& line : lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo))))
        EXPECT_EQ(col(line, 13, 27), QStringLiteral("           0.00"));
}

TEST_F(ExportWriter, GenericAndOncologicalOverridesReachTheFile)
{
    open();
    // MG has a generics rate: generic medicines ("S" or "s") take the 12 % price.
    edition.saveState(QStringLiteral("MG"));
    QMap<QString, QString> generic;
    for (const Row r : edition.db().query(QStringLiteral(
             "select FARPRELABOR, FARPREMEDIC, FARPREAPRE, FARPREGENERICO from FARPRECOS where FARPREMEDSOLU = 'M'")))
        generic.insert(key(r), r.text(QStringLiteral("FARPREGENERICO")).trimmed());
    ASSERT_TRUE(generic.values().contains(QStringLiteral("s")));
    const QMap<QString, double> doze = column(QStringLiteral("FARPPRE_DOZE"), QLatin1Char('M'));
    const QMap<QString, double> aliq1 = column(QStringLiteral("FARPREALIQ1"), QLatin1Char('M'));
    for (const QString& line : lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo)))) {
        const QString k = line.left(12);
        const bool isGeneric = generic.value(k).toUpper() == QLatin1String("S");
        EXPECT_EQ(col(line, 13, 27), fitRight(formatNumber((isGeneric ? doze : aliq1).value(k), 2), 15)) << qPrintable(k);
    }

    // GO (17 %) exempts oncological medicines: their 0 % price when it is above 0.
    edition.saveState(QStringLiteral("GO"));
    const QMap<QString, double> zero = column(QStringLiteral("FARPPRE_ZERO"), QLatin1Char('M'));
    const QMap<QString, double> aliq2 = column(QStringLiteral("FARPREALIQ2"), QLatin1Char('M'));
    int oncological = 0;
    for (const QString& line : lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo)))) {
        const QString k = line.left(12);
        if (k.mid(3, 5) != QLatin1String(gen::known::kProductOnco))
            continue;
        ++oncological;
        const double expected = zero.value(k) > 0 ? zero.value(k) : aliq2.value(k);
        EXPECT_EQ(col(line, 13, 27), fitRight(formatNumber(expected, 2), 15)) << qPrintable(k);
    }
    EXPECT_GT(oncological, 0);
}

TEST_F(ExportWriter, FreeTradeZoneFixedCodigoPmcHasTheShortMainPart)
{
    open();
    edition.saveState(QStringLiteral("ZF"));
    const QMap<QString, double> zf17 = column(QStringLiteral("PMCZF17"), QLatin1Char('M'));
    ExportRequest fixed = req(QLatin1Char('M'), Content::Codigo, FileType::TamanhoFixo);
    fixed.freeTradeZone = true;
    // The unit price is the export price, FARPREZF in the free-trade zone.
    const QMap<QString, double> zfPrice = column(QStringLiteral("FARPREZF"), QLatin1Char('M'));
    QMap<QString, double> quantity;
    for (const Row r : edition.db().query(QStringLiteral(
             "select A.FARPRELABOR, A.FARPREMEDIC, A.FARPREAPRE, D.FARAPRQTDE from FARPRECOS A "
             "inner join FARAPRESENTACOES D on A.FARPREAPRE = D.FARAPRCODIGO")))
        quantity.insert(key(r), r.number(QStringLiteral("FARAPRQTDE")));
    for (const QString& line : lines(run(fixed))) {
        ASSERT_EQ(line.size(), 56 + 13 + 10) << qPrintable(line);
        const QString k = line.left(12);
        EXPECT_EQ(col(line, 13, 27), fitRight(formatNumber(zf17.value(k), 2), 15));
        EXPECT_EQ(col(line, 28, 30), QStringLiteral("PMC"));
        const double q = quantity.value(k);
        EXPECT_EQ(col(line, 31, 45), fitRight(formatNumber(q > 0 ? zfPrice.value(k) / q : zfPrice.value(k), 2), 15));
    }
    ExportRequest delimited = fixed;
    delimited.fileType = FileType::Delimitado;
    for (const QString& line : lines(run(delimited)))
        EXPECT_EQ(line.count(QStringLiteral("\",\"")) + 1, 12 + 3) << qPrintable(line); // twelve, EAN, TISS, TUSS
}

TEST_F(ExportWriter, MaterialsWithoutOrdinanceFlagAreOneColumnShorter)
{
    open();
    QSet<QString> empty;
    for (const Row r : edition.db().query(QStringLiteral(
             "select FARPRELABOR, FARPREMEDIC, FARPREAPRE from FARPRECOS where FARPREMEDSOLU = 'I' and "
             "(FARPREPORTARIA is null or FARPREPORTARIA = '')")))
        empty.insert(key(r));
    ASSERT_FALSE(empty.isEmpty());
    int seen = 0;
    for (const QString& line : lines(run(req(QLatin1Char('I'), Content::Codigo, FileType::TamanhoFixo)))) {
        const bool blank = empty.contains(line.left(12));
        seen += blank;
        EXPECT_EQ(line.size(), (blank ? 59 : 60) + 10) << qPrintable(line);
    }
    EXPECT_EQ(seen, empty.size());
    for (const QString& line : lines(run(req(QLatin1Char('I'), Content::Codigo, FileType::Delimitado)))) {
        const QStringList fields = line.split(QLatin1Char(','));
        const QString key = fields[0].mid(1, 3) + fields[1].mid(1, 5) + fields[2].mid(1, 4);
        if (empty.contains(key))
            EXPECT_EQ(fields[9], QStringLiteral("\"\"")) << qPrintable(line);
        else
            EXPECT_EQ(fields[9].size(), 3) << qPrintable(line);
    }
}

TEST_F(ExportWriter, HierarchyOnlyForMaterialsWithANode)
{
    open();
    QMap<QString, qint64> nodes;
    for (const Row r : edition.db().query(QStringLiteral(
             "select FARPRELABOR, FARPREMEDIC, FARPREAPRE, FARPREHIERARQUIA from FARPRECOS where FARPREMEDSOLU = 'I'")))
        nodes.insert(key(r), r.integer(QStringLiteral("FARPREHIERARQUIA")));
    ASSERT_TRUE(std::any_of(nodes.begin(), nodes.end(), [](qint64 n) { return n == 0; }));
    ExportRequest r = req(QLatin1Char('I'), Content::Codigo, FileType::TamanhoFixo);
    r.hierarquia = true;
    for (const QString& line : lines(run(r))) {
        const qint64 node = nodes.value(line.left(12));
        const int main = line.size() - 10 - (node > 0 ? 10 : 0);
        EXPECT_TRUE(main == 59 || main == 60) << qPrintable(line);
        if (node > 0)
            EXPECT_EQ(line.right(10), fitLeft(QString::number(node), 10));
    }
}

TEST_F(ExportWriter, CodedEditionWritesDecodedNamesInWindows1252)
{
    open(test::codedEdition());
    const QByteArray bytes = run(req(QLatin1Char('M'), Content::Descricao, FileType::Delimitado));
    EXPECT_TRUE(bytes.startsWith("\"Laborat\xf3rio D'\xc1vila Ltda.\",\"")) << bytes.left(80).constData();
    for (const QString& line : lines(bytes))
        EXPECT_FALSE(line.contains(QRegularExpression(QStringLiteral("\"[0-9A-F]{20,}\"")))) << qPrintable(line);
}

TEST_F(ExportWriter, GoldenFirstLinesOfACodedEdition)
{
    // The first lines of each kind with the window's defaults, delimited and
    // fixed, from the small coded edition (state SP): names decoded, unit
    // prices by the quantity (274.32 / 20 = 13.72, 403.36 / 60 = 6.72, a
    // quantity of 0 keeps the price), no EAN for materials, "PFB" for
    // materials and solutions. They change only if the generated edition does.
    struct Golden {
        char kind;
        FileType type;
        std::vector<const char*> lines;
    };
    const Golden cases[] = {
        {'M', FileType::Delimitado, {"\"001\",\"Laboratório D'Ávila Ltda.\",\"00001\",\"Amoxicilina Triidratada\",\"0001\",\"Creme dermatológico 15 mg, caixa com 20 unidades\",\"274.32\",\"20\",\"PMC\",\"13.72\",\"812\",\"5.00\",\"N\",\"7890506658892\",\"0090000000\",\"\"",
          "\"001\",\"Laboratório D'Ávila Ltda.\",\"00001\",\"Amoxicilina Triidratada\",\"0002\",\"Caixa com envelopes 405 mg, caixa com 60 unidades\",\"403.36\",\"60\",\"PMC\",\"6.72\",\"812\",\"5.00\",\"N\",\"7890322906331\",\"0090000007\",\"10000001\""}},
        {'M', FileType::TamanhoFixo, {"001Laboratório D'Ávila Ltda.               00001Amoxicilina Triidratada                                                         0001Creme dermatológico 15 mg, caixa com 20 unidades                                                                                                               274.32  20PMC          13.72  812 5.00N78905066588920090000000        "}},
        {'I', FileType::Delimitado, {"\"001\",\"Laboratório D'Ávila Ltda.\",\"00004\",\"Luva Cirúrgica Estéril\",\"0015\",\"Cápsula gelatinosa dura 250 mg, caixa com 60 unidades\",\"416.56\",\"0\",\"PFB\",\"416.56\",\"778\",\"12.00\",\"S\",\"0090000098\",\"10000053\"",
          "\"001\",\"Laboratório D'Ávila Ltda.\",\"00021\",\"Sonda Uretral 20\",\"0095\",\"Solução injetável 300 mg, caixa com 0 unidades\",\"252.42\",\"0\",\"PFB\",\"252.42\",\"812\",\"15.00\",\"N\",\"0090000658\",\"10000354\""}},
        {'I', FileType::TamanhoFixo, {"001Laboratório D'Ávila Ltda.               00004Luva Cirúrgica Estéril                                                          0015Cápsula gelatinosa dura 250 mg, caixa com 60 unidades                                                                                                          416.56   0PFB         416.56  77812.00S             009000009810000053"}},
        {'S', FileType::Delimitado, {"\"001\",\"Laboratório D'Ávila Ltda.\",\"00005\",\"Solução de Manitol\",\"0018\",\"Bolsa plástica 160 mg, caixa com 1 unidades\",\"532.68\",\"1\",\"PFB\",\"532.68\",\"804\",\"15.00\",\"N\",\"7890012151898\",\"0090000119\",\"10000069\"",
          "\"001\",\"Laboratório D'Ávila Ltda.\",\"00013\",\"Soro Glicosado 12\",\"0072\",\"Frasco-ampola 400 mg, caixa com 30 unidades\",\"334.50\",\"30\",\"PFB\",\"11.15\",\"775\",\"0.00\",\"N\",\"7890085599812\",\"0090000497\",\"\""}},
        {'S', FileType::TamanhoFixo, {"001Laboratório D'Ávila Ltda.               00005Solução de Manitol                                                              0018Bolsa plástica 160 mg, caixa com 1 unidades                                                                                                                    532.68   1PFB         532.68  80415.00N7890012151898009000011910000069"}},
    };
    open(test::codedEdition());
    for (const Golden& g : cases) {
        ExportRequest r = defaultRequest(QLatin1Char(g.kind), false);
        r.fileType = g.type;
        const QStringList out = lines(run(r));
        ASSERT_GE(out.size(), qsizetype(g.lines.size()));
        for (size_t i = 0; i < g.lines.size(); ++i)
            EXPECT_EQ(out[qsizetype(i)], QString::fromUtf8(g.lines[i])) << g.kind << " line " << i;
    }
}

TEST_F(ExportWriter, EditionWithoutTussUsesTheFallback)
{
    open();
    edition.db().execute(QStringLiteral("ALTER TABLE FARPRECOS DROP TUSS"));
    ExportOutcome outcome;
    const QStringList cd = lines(run(req(QLatin1Char('M'), Content::CodigoDescricao, FileType::Delimitado), &outcome));
    EXPECT_TRUE(outcome.fallback);
    ASSERT_FALSE(cd.isEmpty());
    for (const QString& line : cd) {
        // The last column is the TISS code: no TUSS, no placeholder.
        EXPECT_EQ(line.mid(line.lastIndexOf(QStringLiteral(",\""))).size(), 13) << qPrintable(line);
        EXPECT_FALSE(line.contains(QStringLiteral("TESTE"))) << qPrintable(line);
    }
    for (const QString& line : lines(run(req(QLatin1Char('M'), Content::Codigo, FileType::Delimitado))))
        EXPECT_TRUE(line.endsWith(QStringLiteral(",\"TESTE\""))) << qPrintable(line);
    for (const QString& line : lines(run(req(QLatin1Char('M'), Content::CodigoDescricao, FileType::TamanhoFixo))))
        EXPECT_TRUE(line.endsWith(QStringLiteral("TESTE   "))) << qPrintable(line);
}

TEST_F(ExportWriter, OnlyMarkedLaboratoriesRestrict)
{
    open();
    writeMark(edition.db(), SelectionList::Laboratories, QStringLiteral("001"), true);
    writeMark(edition.db(), SelectionList::Laboratories, QStringLiteral("003"), true);
    ExportRequest r = req(QLatin1Char('M'), Content::Codigo, FileType::Delimitado);
    r.todos = false;
    const QStringList out = lines(run(r));
    EXPECT_EQ(out.size(), count(QStringLiteral("C.FARMEDTIPO = 'M' and A.FARPRELABOR in ('001', '003')")));
    for (const QString& line : out)
        EXPECT_TRUE(line.startsWith(QStringLiteral("\"001\"")) || line.startsWith(QStringLiteral("\"003\"")));

    // With "Todos" the marks play no part.
    r.todos = true;
    EXPECT_EQ(lines(run(r)).size(), count(QStringLiteral("C.FARMEDTIPO = 'M'")));

    // A product mark as well: both lists restrict.
    writeMark(edition.db(), SelectionList::Products, QStringLiteral("00001"), true);
    r.todos = false;
    const QStringList both = lines(run(r));
    EXPECT_EQ(both.size(),
              count(QStringLiteral("C.FARMEDTIPO = 'M' and A.FARPRELABOR in ('001', '003') and A.FARPREMEDIC = '00001'")));
    EXPECT_FALSE(both.isEmpty());
}

TEST_F(ExportWriter, HiddenOptionsDoNotChangeTheFile)
{
    open();
    for (QChar kind : {QLatin1Char('S'), QLatin1Char('I')}) {
        ExportRequest plain = req(kind, Content::CodigoDescricao, FileType::TamanhoFixo);
        ExportRequest noisy = plain;
        noisy.generico = noisy.restrito = noisy.oncologico = noisy.liberado = true;
        noisy.priceType = kind == QLatin1Char('S') ? PriceType::PMC : PriceType::PFAB;
        if (kind == QLatin1Char('S'))
            noisy.hierarquia = noisy.parenteral = true;
        else
            noisy.ean = true;
        EXPECT_EQ(run(noisy), run(plain)) << kind.toLatin1();
    }
}

TEST_F(ExportWriter, StatementsDoNotGrowWithTheRows)
{
    open();
    int statements = 0;
    edition.db().setStatementObserver([&](EditionDatabase::Sent, const QString&) { ++statements; });
    ExportRequest r = req(QLatin1Char('M'), Content::Codigo, FileType::Delimitado);
    r.todos = false;
    const QStringList out = lines(run(r));
    edition.db().setStatementObserver({});
    ASSERT_GT(out.size(), 100);
    // Three probes, the state row, the oncological context, the count, the rows.
    EXPECT_LE(statements, 10);
}

// ---------------------------------------------------------------- files

// A save file whose device refuses to write past a limit, as a full disk does.
class FailingSaveFile : public QSaveFile {
public:
    FailingSaveFile(const QString& path, qint64 limit) : QSaveFile(path), limit_(limit) {}

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        if (written_ + len > limit_) {
            setErrorString(QStringLiteral("Não há espaço disponível no dispositivo"));
            return -1;
        }
        written_ += len;
        return QSaveFile::writeData(data, len);
    }

private:
    qint64 limit_;
    qint64 written_ = 0;
};

class ExportFile : public ExportWriter {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(out.isValid());
        target = out.filePath(QStringLiteral("precos.txt"));
    }
    void writeEarlier()
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("arquivo anterior\r\n");
    }
    QByteArray contents() const
    {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(out.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir out;
    QString target;
};

TEST_F(ExportFile, CompleteFileReplacesTheEarlierOne)
{
    open();
    writeEarlier();
    ExportJob job(edition, QLatin1Char('M'), false);
    const ExportOutcome outcome = job.writeFile(job.defaults(), target);
    ASSERT_TRUE(outcome.ok()) << qPrintable(outcome.message);
    EXPECT_EQ(contents(), run(job.defaults()));
    EXPECT_EQ(files(), QStringList{QStringLiteral("precos.txt")});
}

TEST_F(ExportFile, FailingQueryLeavesNoFileOrTheEarlierOne)
{
    open();
    // Neither the main statement nor its fallback can be opened.
    edition.db().execute(QStringLiteral("ALTER TABLE FARAPRESENTACOES DROP FARAPRQTDE"));
    ExportJob job(edition, QLatin1Char('M'), false);
    ExportOutcome outcome = job.writeFile(job.defaults(), target);
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Failed);
    EXPECT_FALSE(outcome.message.isEmpty());
    EXPECT_TRUE(files().isEmpty());

    writeEarlier();
    outcome = job.writeFile(job.defaults(), target);
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Failed);
    EXPECT_EQ(contents(), QByteArray("arquivo anterior\r\n"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("precos.txt")});
}

TEST_F(ExportFile, EditionLackingAPriceColumnFailsEvenWithTheFallback)
{
    open();
    edition.db().execute(QStringLiteral("ALTER TABLE FARPRECOS DROP PMC17_5"));
    ExportJob job(edition, QLatin1Char('M'), false);
    const ExportOutcome outcome = job.writeFile(job.defaults(), target);
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Failed);
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("PMC17_5"))) << qPrintable(outcome.message);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(ExportFile, WriteErrorKeepsTheEarlierFile)
{
    open();
    writeEarlier();
    ExportJob job(edition, QLatin1Char('M'), false);
    FailingSaveFile file(target, 4000);
    const ExportOutcome outcome = job.writeFile(job.defaults(), file);
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Failed);
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("espaço"))) << qPrintable(outcome.message);
    EXPECT_EQ(contents(), QByteArray("arquivo anterior\r\n"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("precos.txt")});
}

TEST_F(ExportFile, CancelStopsAndKeepsTheEarlierFile)
{
    open(test::clearEdition(1500));
    writeEarlier();
    ExportJob job(edition, QLatin1Char('M'), false);
    qint64 seenTotal = 0;
    int calls = 0;
    const ExportOutcome outcome = job.writeFile(job.defaults(), target, [&](qint64 done, qint64 total) {
        ++calls;
        seenTotal = total;
        return done == 0;
    });
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(outcome.rows, qint64(kExportBatchRows));
    EXPECT_GT(seenTotal, outcome.rows);
    EXPECT_EQ(seenTotal, count(QStringLiteral("C.FARMEDTIPO = 'M'")));
    EXPECT_EQ(contents(), QByteArray("arquivo anterior\r\n"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("precos.txt")});
}

TEST_F(ExportFile, UnwritableFolderIsAFailure)
{
    open();
    ExportJob job(edition, QLatin1Char('M'), false);
    const ExportOutcome outcome = job.writeFile(job.defaults(), out.filePath(QStringLiteral("nao/existe/precos.txt")));
    EXPECT_EQ(outcome.status, ExportOutcome::Status::Failed);
    EXPECT_FALSE(outcome.message.isEmpty());
}

} // namespace
} // namespace farq::exporter
