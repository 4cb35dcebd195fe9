#include "shell/codec.h"
#include "shell/database.h"
#include "support/edition_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace farq;

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = test::editionCopy(test::clearEdition(80));
        db.connect(path);
    }
    QString path;
    EditionDatabase db;
};

} // namespace

TEST_F(DatabaseTest, ColumnsAreThereEvenWithoutRows)
{
    const DataSet ds = db.query(QStringLiteral("select * from FARPRECOS where 1 = 0"));
    EXPECT_TRUE(ds.empty());
    EXPECT_TRUE(ds.hasColumn(QStringLiteral("FARPRELABOR")));
    EXPECT_TRUE(ds.hasColumn(QStringLiteral("FARPPRE_ZERO")));
    EXPECT_TRUE(ds.hasColumn(QStringLiteral("farpremedic"))); // by name, any case
}

TEST_F(DatabaseTest, ValuesAreTypedAndCharIsNotTrimmed)
{
    db.execute(QStringLiteral("INSERT INTO FARSUBSTANCIAS (FARSUBCODIGO, FARSUBDESCRICAO, ONCOLOGICO) "
                              "VALUES (900, 'Ação d''água', NULL)"));
    const DataSet ds = db.query(QStringLiteral(
        "select FARSUBCODIGO, FARSUBDESCRICAO, ONCOLOGICO, CAST(1.25 AS DOUBLE PRECISION) D, "
        "CAST('2026-11-01' AS DATE) DT, CAST(12.345 AS NUMERIC(9,3)) N from FARSUBSTANCIAS where FARSUBCODIGO = 900"));
    ASSERT_EQ(ds.size(), 1u);
    const Row r = ds.row(0);
    EXPECT_TRUE(r.value(QStringLiteral("FARSUBCODIGO")).isInteger());
    EXPECT_EQ(r.integer(QStringLiteral("FARSUBCODIGO")), 900);
    const QString name = r.text(QStringLiteral("FARSUBDESCRICAO"));
    EXPECT_EQ(name.size(), 60); // CHAR(60), padding kept
    EXPECT_EQ(name.trimmed(), QStringLiteral("Ação d'água"));
    EXPECT_TRUE(r.isNull(QStringLiteral("ONCOLOGICO")));
    EXPECT_EQ(r.text(QStringLiteral("ONCOLOGICO")), QString());
    EXPECT_EQ(r.number(QStringLiteral("ONCOLOGICO")), 0.0);
    EXPECT_DOUBLE_EQ(r.number(QStringLiteral("D")), 1.25);
    EXPECT_EQ(r.date(QStringLiteral("DT")), QDate(2026, 11, 1));
    EXPECT_DOUBLE_EQ(r.number(QStringLiteral("N")), 12.345);
}

TEST_F(DatabaseTest, EveryByteValueSurvivesTheDatabase)
{
    QString all;
    for (int b = 1; b < 256; ++b)
        all += fromCp1252(QByteArray(1, char(b)));
    auto bulk = db.prepareBulk(QStringLiteral("INSERT INTO FARMEDICAMENTOS (FARMEDCODIGO, FARMEDDESCRICAO) VALUES (?, ?)"));
    bulk->run({QStringLiteral("99999"), all});
    bulk->commit();
    const DataSet ds = db.query(QStringLiteral("select FARMEDDESCRICAO from FARMEDICAMENTOS where FARMEDCODIGO = '99999'"));
    ASSERT_EQ(ds.size(), 1u);
    EXPECT_EQ(ds.row(0).text(QStringLiteral("FARMEDDESCRICAO")), all);
}

TEST_F(DatabaseTest, ExecutedStatementsAreCommittedAtOnce)
{
    db.execute(QStringLiteral("UPDATE FARPARAMETROS SET FARPARAESTADO = 'RJ'"));
    EditionDatabase other;
    other.connect(path);
    EXPECT_EQ(other.query(QStringLiteral("select * from FARPARAMETROS")).row(0).text(QStringLiteral("FARPARAESTADO")), QStringLiteral("RJ"));
}

TEST_F(DatabaseTest, ErrorsCarryTheEngineMessage)
{
    try {
        db.query(QStringLiteral("select NO_SUCH_COLUMN from FARESTADOS"));
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Column unknown"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("NO_SUCH_COLUMN")));
    }
    // The connection is still usable after an error.
    EXPECT_FALSE(db.query(QStringLiteral("select * from FARESTADOS")).empty());
}

TEST(DatabaseConnect, MissingFileNamesTheFile)
{
    EditionDatabase db;
    try {
        db.connect(QStringLiteral("/nonexistent/pasta/FARQDB.GDB"));
        FAIL() << "connected";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("/nonexistent/pasta/FARQDB.GDB")));
    }
    EXPECT_FALSE(db.isConnected());
}

TEST(DatabaseConnect, UnreadableFileGivesTheEngineReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FARQDB.GDB"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("isto não é um banco de dados Firebird");
    f.close();
    EditionDatabase db;
    try {
        db.connect(path);
        FAIL() << "connected";
    } catch (const DatabaseError& e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
}

TEST(DatabaseConnect, FolderWithBlanksAndAccents)
{
    const QString source = test::editionCopy(test::clearEdition(80));
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Edições de Preço/São Paulo"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/FARQDB.GDB");
    ASSERT_TRUE(QFile::copy(source, path));
    EditionDatabase db;
    db.connect(path);
    EXPECT_EQ(db.path(), path);
    EXPECT_FALSE(db.query(QStringLiteral("select * from FARPARAMETROS")).empty());
}

TEST(DatabaseConnect, DefaultPathIsBesideTheExecutable)
{
    const QString p = EditionDatabase::defaultEditionPath();
    EXPECT_TRUE(p.endsWith(QStringLiteral("/FARQDB.GDB")));
    EXPECT_EQ(QFileInfo(p).absolutePath(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(EditionDatabase::settingsFor().database, p);
    const ConnectionSettings s = EditionDatabase::settingsFor(QStringLiteral("/x/y.gdb"));
    EXPECT_EQ(s.user, QStringLiteral("SYSDBA"));
    EXPECT_EQ(s.password, QStringLiteral("plumvotex"));
    EXPECT_EQ(s.role, QStringLiteral("RoleName"));
    EXPECT_EQ(s.dialect, 3);
}

TEST(DatabaseConnect, AnotherProcessCanUseTheEditionWhileItIsOpen)
{
    const QString cli = qEnvironmentVariable("FARQ_CLI", QCoreApplication::applicationDirPath() + "/farmaquion-cli");
    ASSERT_FALSE(cli.isEmpty());
    const QString path = test::editionCopy(test::clearEdition(80));
    EditionDatabase db;
    db.connect(path);
    QProcess p;
    p.start(cli, {QStringLiteral("--banco"), path, QStringLiteral("estado"), QStringLiteral("RJ")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(db.query(QStringLiteral("select FARPARAESTADO from FARPARAMETROS")).row(0).text(QStringLiteral("FARPARAESTADO")),
              QStringLiteral("RJ"));
}
