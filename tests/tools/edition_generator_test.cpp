#include "shell/cipher.h"
#include "shell/database.h"
#include "shell/schema_upgrade.h"
#include "support/edition_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace farq;

namespace {

QStringList dump(EditionDatabase& db, const QString& sql)
{
    QStringList out;
    const DataSet ds = db.query(sql);
    for (const Row r : ds) {
        QStringList cells;
        for (const QString& c : ds.columns())
            cells << r.text(c);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace

TEST(EditionGenerator, SameSeedGivesTheSameContents)
{
    EditionDatabase a, b, c;
    a.connect(test::editionCopy(test::codedEdition(150)));
    gen::GeneratorOptions same = test::codedEdition(150);
    b.connect(test::editionCopy(same)); // a fresh copy of the same generated template
    gen::GeneratorOptions other = test::codedEdition(150);
    other.seed = 2;
    c.connect(test::editionCopy(other));
    const QString q = QStringLiteral("select * from FARPRECOS order by FARPRELABOR, FARPREMEDIC, FARPREAPRE");
    EXPECT_EQ(dump(a, q), dump(b, q));
    EXPECT_NE(dump(a, q), dump(c, q));
}

TEST(EditionGenerator, GeneratingTwiceWithOneSeedGivesTheSameRows)
{
    QTemporaryDir dir;
    gen::GeneratorOptions o = test::codedEdition(120);
    o.seed = 99;
    gen::generateEdition(dir.filePath(QStringLiteral("a.gdb")), o);
    gen::generateEdition(dir.filePath(QStringLiteral("b.gdb")), o);
    EditionDatabase a, b;
    a.connect(dir.filePath(QStringLiteral("a.gdb")));
    b.connect(dir.filePath(QStringLiteral("b.gdb")));
    for (const char* table : {"FARPRECOS", "FARMEDICAMENTOS", "FARLABORATORIOS", "FARPRECOSSUBSTANCIAS"}) {
        const QString q = QStringLiteral("select * from %1 order by 1, 2, 3").arg(QLatin1String(table));
        EXPECT_EQ(dump(a, q), dump(b, q)) << table;
    }
}

TEST(EditionGenerator, CodedEditionStoresTheClearEditionsNamesCoded)
{
    EditionDatabase clear, coded;
    clear.connect(test::editionCopy(test::clearEdition(150)));
    coded.connect(test::editionCopy(test::codedEdition(150)));
    const QString q = QStringLiteral("select FARMEDCODIGO, FARMEDDESCRICAO, NOVA_ORDEM from FARMEDICAMENTOS order by 1");
    const DataSet a = clear.query(q);
    const DataSet b = coded.query(q);
    ASSERT_EQ(a.size(), b.size());
    Crypt crypt(true);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const QString plain = a.row(i).text(QStringLiteral("FARMEDDESCRICAO"));
        const QString stored = b.row(i).text(QStringLiteral("FARMEDDESCRICAO"));
        EXPECT_EQ(stored.size(), 2 * plain.size() + 2); // never blank-padded
        EXPECT_EQ(crypt.decode(stored), plain);
        EXPECT_TRUE(a.row(i).isNull(QStringLiteral("NOVA_ORDEM")));
        EXPECT_GT(b.row(i).integer(QStringLiteral("NOVA_ORDEM")), 0);
    }
}

TEST(EditionGenerator, HoldsWhatThePagesNeed)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::clearEdition(300)));
    auto count = [&](const QString& sql) { return db.query(sql).row(0).integer(QStringLiteral("N")); };
    for (const char* family : {"M", "I", "S"})
        EXPECT_GT(count(QStringLiteral("select count(*) N from FARPRECOS where FARPREMEDSOLU = '%1'").arg(QLatin1String(family))), 0)
            << family;
    struct StateCase {
        const char* uf;
        double rate;
        double generic;
    } states[] = {{"MG", 18, 12}, {"ZF", 18, 0}, {"RO", 17.5, 0}, {"PR", 19, 0}, {"SP", 18, 0}, {"RJ", 20, 0}};
    for (const StateCase& s : states) {
        const DataSet ds = db.query(QStringLiteral("select * from FARESTADOS where ESTADO = '%1'").arg(QLatin1String(s.uf)));
        ASSERT_EQ(ds.size(), 1u) << s.uf;
        EXPECT_EQ(ds.row(0).number(QStringLiteral("ALIQUOTA")), s.rate) << s.uf;
        EXPECT_EQ(ds.row(0).number(QStringLiteral("ALIQUOTAGENERICO")), s.generic) << s.uf;
    }
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARESTADOS where ICMS_ONCOLOGICO = 'S'")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARSUBSTANCIAS where ONCOLOGICO = 'S'")), 0);
    EXPECT_GT(count(QStringLiteral("select count(distinct FARPRELABOR) N from FARPRECOS where FARPREMEDIC = '00001'")), 1);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARHIERARQUIA where NIVEL = 8")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARAUXILIAR where TEM_MED = 'S'")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FAREXCLUIDOS")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARNOVOS")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARPRECOS where char_length(FARAPRDESCRICAO) > 100")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) N from FARLABORATORIOS where FARLABDESCRICAO containing ''''")), 0);
}

TEST(EditionGenerator, OldLayoutLacksWhatTheUpgradeAdds)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::oldLayoutEdition()));
    EXPECT_FALSE(VerificaNovosCampos(db));
    EXPECT_FALSE(db.query(QStringLiteral("select * from FARPRECOSSUBSTANCIAS where 1 = 0")).hasColumn(QStringLiteral("FARPRE_ZERO")));
    EXPECT_FALSE(db.query(QStringLiteral("select * from FARESTADOS")).hasColumn(QStringLiteral("ALIQUOTAGENERICO")));
    EXPECT_TRUE(db.query(QStringLiteral("select * from FARPRECOS where 1 = 0")).hasColumn(QStringLiteral("PMC17_5")));
}
