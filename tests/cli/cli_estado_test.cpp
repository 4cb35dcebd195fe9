#include "shell/database.h"
#include "shell/schema_upgrade.h"
#include "support/edition_fixture.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace farq;

namespace {

struct CliRun {
    int code;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("FARQ_CLI", QCoreApplication::applicationDirPath() + "/farmaquion-cli"), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString savedState(const QString& path)
{
    EditionDatabase db;
    db.connect(path);
    return db.query(QStringLiteral("select FARPARAESTADO from FARPARAMETROS")).row(0).text(QStringLiteral("FARPARAESTADO"));
}

} // namespace

TEST(CliEstado, ShowsAndSavesTheState)
{
    const QString path = test::editionCopy(test::codedEdition(80));
    CliRun r = cli({"--banco", path, "estado"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("SP\n"));
    EXPECT_TRUE(r.err.isEmpty());
    r = cli({"--banco", path, "estado", "mg"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(savedState(path), QStringLiteral("MG"));
    EXPECT_EQ(cli({"--banco=" + path, "estado"}).out, QStringLiteral("MG\n"));
}

TEST(CliEstado, UnknownStateIsRefusedAndNothingChanges)
{
    const QString path = test::editionCopy(test::clearEdition(80));
    for (const char* bad : {"XX", "S'P", ""}) {
        const CliRun r = cli({"--banco", path, "estado", QString::fromLatin1(bad)});
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(savedState(path), QStringLiteral("SP"));
}

TEST(CliEstado, UpgradesAnOldEditionFirst)
{
    const QString path = test::editionCopy(test::oldLayoutEdition());
    const CliRun r = cli({"--banco", path, "estado"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("SP\n"));
    EditionDatabase db;
    db.connect(path);
    EXPECT_TRUE(VerificaNovosCampos(db));
    EXPECT_NO_THROW(openStates(db));
}

TEST(CliGeneral, ExitCodesAndMessages)
{
    const QString path = test::editionCopy(test::clearEdition(80));
    struct Case {
        QStringList args;
        int code;
        const char* errContains;
    } cases[] = {
        {{"--banco", "/nao/existe/FARQDB.GDB", "estado"}, 1, "/nao/existe/FARQDB.GDB"},
        {{"--banco", path, "nada"}, 2, "comando desconhecido"},
        {{"--banco", path, "estado", "--xyz"}, 2, "--xyz"},
        {{"--banco"}, 2, "--banco"},
        {{"--banco", path, "estado", "SP", "RJ"}, 2, "estado"},
        {{}, 2, "uso:"},
    };
    for (const Case& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.errContains))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    const CliRun help = cli({"estado", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("estado [UF]")));
    EXPECT_EQ(cli({"--help"}).code, 0);
}
