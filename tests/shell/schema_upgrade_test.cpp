#include "shell/database.h"
#include "shell/schema_upgrade.h"
#include "support/edition_fixture.h"

#include <gtest/gtest.h>

using namespace farq;

namespace {

struct Recorder {
    QStringList statements;
    QStringList queries;
    void attach(EditionDatabase& db)
    {
        db.setStatementObserver([this](EditionDatabase::Sent kind, const QString& sql) {
            (kind == EditionDatabase::Sent::Statement ? statements : queries) << sql;
        });
    }
};

const char* const kNewPriceColumns[] = {"FARPPRE_ZERO", "FARPPRE_DOZE", "FARPPRE_ZEROFAB", "FARPPRE_DOZEFAB"};
const char* const kNewSubstanceColumns[] = {"FARPRE_ZERO", "FARPRE_DOZE", "FARPRE_ZEROFAB", "FARPRE_DOZEFAB"};

} // namespace

TEST(SchemaUpgrade, OldEditionGetsEveryColumnNullInExistingRows)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::oldLayoutEdition()));
    EXPECT_FALSE(VerificaNovosCampos(db));
    const auto before = db.query(QStringLiteral("select count(*) N from FARPRECOS")).row(0).integer(QStringLiteral("N"));
    ASSERT_GT(before, 0);

    Recorder rec;
    rec.attach(db);
    upgradeAtStart(db);
    EXPECT_EQ(rec.statements, (QStringList{upgrade::kAddSubstancePrices, upgrade::kAddPrices, upgrade::kAddGenericRate,
                                           upgrade::kGenericRateZero, upgrade::kGenericRateMG}));
    EXPECT_TRUE(VerificaNovosCampos(db));

    for (const char* c : kNewPriceColumns) {
        const DataSet ds = db.query(QStringLiteral("select count(*) N from FARPRECOS where %1 is not null").arg(QLatin1String(c)));
        EXPECT_EQ(ds.row(0).integer(QStringLiteral("N")), 0) << c;
    }
    for (const char* c : kNewSubstanceColumns) {
        const DataSet ds =
            db.query(QStringLiteral("select count(*) N, count(%1) F from FARPRECOSSUBSTANCIAS").arg(QLatin1String(c)));
        EXPECT_GT(ds.row(0).integer(QStringLiteral("N")), 0) << c;
        EXPECT_EQ(ds.row(0).integer(QStringLiteral("F")), 0) << c;
    }
    const DataSet states = openStates(db);
    ASSERT_GT(states.size(), 20u);
    for (const Row r : states) {
        const double expected = r.text(QStringLiteral("ESTADO")) == QLatin1String("MG") ? 12.0 : 0.0;
        EXPECT_FALSE(r.isNull(QStringLiteral("ALIQUOTAGENERICO")));
        EXPECT_EQ(r.number(QStringLiteral("ALIQUOTAGENERICO")), expected) << r.text(QStringLiteral("ESTADO")).toStdString();
    }
}

TEST(SchemaUpgrade, StatementTextsAreTheEditionsOwn)
{
    EXPECT_EQ(upgrade::kAddSubstancePrices,
              QStringLiteral(" ALTER TABLE FARPRECOSSUBSTANCIAS  ADD FARPRE_ZERO DOUBLE PRECISION,   ADD \"FARPRE_DOZE \" "
                             "DOUBLE PRECISION,  ADD FARPRE_ZEROFAB DOUBLE PRECISION,  ADD FARPRE_DOZEFAB DOUBLE PRECISION "));
    EXPECT_EQ(upgrade::kAddPrices,
              QStringLiteral(" ALTER TABLE FARPRECOS  ADD FARPPRE_ZERO DOUBLE PRECISION,  ADD FARPPRE_DOZE DOUBLE "
                             "PRECISION,  ADD FARPPRE_ZEROFAB DOUBLE PRECISION,  ADD FARPPRE_DOZEFAB DOUBLE PRECISION "));
    EXPECT_EQ(upgrade::kStatesQuery, QStringLiteral("select * from FARESTADOS\r\nORDER BY Estado"));
}

TEST(SchemaUpgrade, UpToDateEditionReceivesNoStatement)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::clearEdition(80)));
    Recorder rec;
    rec.attach(db);
    upgradeAtStart(db);
    EXPECT_TRUE(rec.statements.isEmpty()) << rec.statements.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rec.queries.first(), upgrade::kProbePrices);
}

TEST(SchemaUpgrade, EmptyPriceTableWithTheColumnCountsAsUpgraded)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::clearEdition(80)));
    db.execute(QStringLiteral("DELETE FROM FARPRECOS"));
    EXPECT_TRUE(VerificaNovosCampos(db));
    Recorder rec;
    rec.attach(db);
    upgradeAtStart(db);
    EXPECT_TRUE(rec.statements.isEmpty());
}

TEST(SchemaUpgrade, MissingGenericRateAloneIsAddedByTheProbe)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::clearEdition(80)));
    db.execute(QStringLiteral("ALTER TABLE FARESTADOS DROP ALIQUOTAGENERICO"));
    Recorder rec;
    rec.attach(db);
    upgradeAtStart(db);
    EXPECT_EQ(rec.statements, (QStringList{upgrade::kAddGenericRate, upgrade::kGenericRateZero, upgrade::kGenericRateMG}));
    EXPECT_EQ(openStates(db).size(), db.query(QStringLiteral("select * from FARESTADOS")).size());
}

TEST(SchemaUpgrade, FailingStatementStopsTheUpgradeWithItsError)
{
    // The substance table already has its columns while FARPRECOS lacks its own.
    EditionDatabase db;
    db.connect(test::editionCopy(test::oldLayoutEdition()));
    db.execute(upgrade::kAddSubstancePrices);
    Recorder rec;
    rec.attach(db);
    EXPECT_THROW(upgradeAtStart(db), DatabaseError);
    EXPECT_EQ(rec.statements, QStringList{upgrade::kAddSubstancePrices});
    EXPECT_FALSE(VerificaNovosCampos(db));
}

TEST(SchemaUpgrade, AfterANewEditionTheProbeWaitsForTheNextStart)
{
    EditionDatabase db;
    db.connect(test::editionCopy(test::oldLayoutEdition()));
    Recorder rec;
    rec.attach(db);
    upgradeAfterNewEdition(db);
    // The states probe ran inside CriaNovosCampos, so the generics rate is there too.
    EXPECT_TRUE(VerificaNovosCampos(db));
    EXPECT_NO_THROW(openStates(db));
    EXPECT_EQ(rec.statements.size(), 5);
}
