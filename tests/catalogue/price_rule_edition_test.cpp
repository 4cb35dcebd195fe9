// The oncological decision read once per run against generated editions:
// it must agree, row by row, with asking the edition about every row.
#include "catalogue/price_rule.h"
#include "shell/database.h"
#include "shell/edition.h"
#include "support/edition_fixture.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace farq;
using namespace farq::price;

namespace {

// The per-row count of the product's oncological substances, with the
// product code in place of :med_codi.
QString countQuery(const QString& productCode)
{
    return QStringList{
        QStringLiteral("SELECT"),
        QStringLiteral("      COUNT(farsubstancias.oncologico)  ACHEI"),
        QStringLiteral("FROM farsubstancias INNER join farmedicamentosubstancias"),
        QStringLiteral("ON farsubstancias.farsubcodigo = farmedicamentosubstancias.farmedsubcodigosub"),
        QStringLiteral("INNER JOIN farmedicamentos ON farmedicamentosubstancias.farmedsubcodigomed = "
                       "farmedicamentos.farmedcodigo"),
        QStringLiteral("WHERE farsubstancias.oncologico = 'S'"),
        QStringLiteral("AND farmedicamentos.farmedcodigo = ") + sqlQuote(productCode),
    }
        .join(QLatin1Char('\n'));
}

// The decision for one row as the two queries give it; errors count as "no".
bool askedPerRow(EditionDatabase& db, const QString& stateCode, const QString& productCode)
{
    try {
        const DataSet st = db.query(oncologyStateQuery(stateCode));
        if (st.empty() || st.row(0).text(QStringLiteral("ICMS_ONCOLOGICO")) != QLatin1String("S"))
            return false;
        const DataSet n = db.query(countQuery(productCode));
        return !n.empty() && n.row(0).integer(QStringLiteral("ACHEI")) > 0;
    } catch (const DatabaseError&) {
        return false;
    }
}

StateRecord stateOf(EditionDatabase& db, const QString& code)
{
    const DataSet ds = db.query(QStringLiteral("select * from FARESTADOS where ESTADO = ") + sqlQuote(code));
    return ds.empty() ? StateRecord{} : stateFromRow(ds.row(0));
}

struct Counts {
    int overridden = 0;
    int oncologicalWithoutZeroPrice = 0;
};

// For every row of the table: the context's decision equals the per-row
// queries, and the full form's price equals the earlier steps' price with
// the 0 % price put in where the queries say so.
Counts compareRows(EditionDatabase& db, const QString& table, Variant variant, const QString& stateCode,
                   const OncologyContext& ctx)
{
    const bool substance = variant == Variant::MedicinesBySubstance;
    const QString zeroPmc = substance ? QStringLiteral("FARPRE_ZERO") : QStringLiteral("FARPPRE_ZERO");
    const QString zeroPfab = substance ? QStringLiteral("FARPRE_ZEROFAB") : QStringLiteral("FARPPRE_ZEROFAB");
    const StateRecord state = stateOf(db, stateCode);
    const DataSet rows = db.query(QStringLiteral("select * from ") + table);
    EXPECT_GT(rows.size(), 0u);
    Counts counts;
    for (const Row row : rows) {
        const QString code = row.text(QStringLiteral("FARPREMEDIC"));
        SCOPED_TRACE(code.toStdString());
        const bool expected = askedPerRow(db, stateCode, code);
        EXPECT_EQ(ctx.applies(code), expected);
        for (const PriceType type : {PriceType::PMC, PriceType::PFAB}) {
            PriceRequest request;
            request.type = type;
            const double zero = row.number(type == PriceType::PMC ? zeroPmc : zeroPfab);
            const PriceResult earlier = CalculaPreco(row, state, request, variant, OncologyContext{});
            const PriceResult r = CalculaPreco(row, state, request, variant, ctx);
            if (expected && zero > 0) {
                EXPECT_TRUE(r.oncological);
                EXPECT_EQ(r.orZero(), zero);
                ++counts.overridden;
            } else {
                EXPECT_FALSE(r.oncological);
                EXPECT_EQ(r.price, earlier.price);
                if (expected)
                    ++counts.oncologicalWithoutZeroPrice;
            }
        }
    }
    return counts;
}

class PriceRuleEdition : public ::testing::Test {
protected:
    void open(const gen::GeneratorOptions& options)
    {
        db.connect(test::editionCopy(options));
        db.setStatementObserver([this](EditionDatabase::Sent, const QString& sql) { statements << sql; });
    }
    EditionDatabase db;
    QStringList statements;
};

TEST_F(PriceRuleEdition, ContextAgreesWithPerRowQueries)
{
    auto options = test::clearEdition();
    options.state = QStringLiteral("GO");
    open(options);

    // The saved state as the pages read it.
    const DataSet saved =
        db.query(QStringLiteral("select * from FarParametros,FarEstados\nwhere FarParaEstado = Estado"));
    ASSERT_EQ(saved.size(), 1u);
    const StateRecord go = stateFromRow(saved.row(0));
    EXPECT_EQ(go.estado, QStringLiteral("GO"));
    EXPECT_EQ(go.icmsOncologico, QStringLiteral("S"));

    for (const char* uf : {"GO", "RJ", "SP", "MG", "ZF"}) {
        SCOPED_TRACE(uf);
        statements.clear();
        const OncologyContext ctx = OncologyContext::load(db, QString::fromLatin1(uf));
        // One look at the state, and one at the products when it exempts.
        EXPECT_EQ(statements.size(), ctx.stateExempts ? 2 : 1);
        EXPECT_EQ(ctx.stateExempts, QByteArray(uf) == "GO" || QByteArray(uf) == "RJ");
        if (ctx.stateExempts)
            EXPECT_TRUE(ctx.applies(QString::fromLatin1(gen::known::kProductOnco)));

        const Counts prices = compareRows(db, QStringLiteral("FARPRECOS"), Variant::MedicinesByProduct,
                                          QString::fromLatin1(uf), ctx);
        const Counts substances = compareRows(db, QStringLiteral("FARPRECOSSUBSTANCIAS"),
                                              Variant::MedicinesBySubstance, QString::fromLatin1(uf), ctx);
        if (ctx.stateExempts) {
            EXPECT_GT(prices.overridden, 0);
            EXPECT_GT(prices.oncologicalWithoutZeroPrice, 0);
            EXPECT_GT(substances.overridden, 0);
        } else {
            EXPECT_EQ(prices.overridden + substances.overridden, 0);
        }
    }
}

TEST_F(PriceRuleEdition, StateCodeWithQuoteIsQuoted)
{
    open(test::clearEdition());
    const OncologyContext ctx = OncologyContext::load(db, QStringLiteral("G'"));
    EXPECT_FALSE(ctx.stateExempts);
    ASSERT_EQ(statements.size(), 1);
    EXPECT_EQ(statements.at(0), QStringLiteral("SELECT ICMS_ONCOLOGICO FROM FARESTADOS WHERE ESTADO = 'G'''"));
}

// Every variant prices every row of the edition's states that have a rate
// column, 19 % included; a rate of 25 % prices nothing.
TEST_F(PriceRuleEdition, EveryVariantPricesTheEditionStates)
{
    open(test::clearEdition());
    const DataSet prices = db.query(QStringLiteral("select * from FARPRECOS"));
    const DataSet substances = db.query(QStringLiteral("select * from FARPRECOSSUBSTANCIAS"));
    struct Use {
        Variant variant;
        char kind;
    };
    const Use uses[] = {{Variant::MedicinesByProduct, 'M'}, {Variant::MedicinesByLaboratory, 'M'},
                        {Variant::MaterialsByLaboratory, 'M'}, {Variant::MaterialsByProduct, 'M'},
                        {Variant::SolutionsByProduct, 'M'},    {Variant::SolutionsByLaboratory, 'M'},
                        {Variant::MedicinesBySubstance, 'M'},  {Variant::MaterialHierarchy, 'M'},
                        {Variant::PriceReport, 'M'},           {Variant::PriceReport, 'I'},
                        {Variant::PriceReport, 'S'},           {Variant::Export, 'M'},
                        {Variant::Export, 'I'},                {Variant::Export, 'S'}};
    for (const char* uf : {"PR", "RO", "XT", "SP", "MG", "ZF", "XV"}) {
        const StateRecord state = stateOf(db, QString::fromLatin1(uf));
        const bool priced = QByteArray(uf) != "XV";
        for (const Use& use : uses) {
            for (const PriceType type : {PriceType::PMC, PriceType::PFAB}) {
                SCOPED_TRACE(std::string(uf) + " variant " + std::to_string(int(use.variant)) + " kind " + use.kind +
                             (type == PriceType::PMC ? " PMC" : " PFAB"));
                PriceRequest request;
                request.type = type;
                request.reportKind = request.exportKind = QLatin1Char(use.kind);
                const DataSet& rows = use.variant == Variant::MedicinesBySubstance ? substances : prices;
                int unpriced = 0;
                for (const Row row : rows)
                    unpriced += !(CalculaPreco(row, state, request, use.variant).orZero() > 0.0);
                EXPECT_EQ(unpriced, priced ? 0 : int(rows.size()));
            }
        }
    }
}

// Editions that lack a column the override reads: no error, and every price
// is the one of the earlier steps.
struct MissingColumn {
    const char* what;
    const char* statement;
};

class PriceRuleOlderEdition : public PriceRuleEdition, public ::testing::WithParamInterface<MissingColumn> {};

TEST_P(PriceRuleOlderEdition, OverrideIsSilentlyInactive)
{
    open(test::clearEdition());
    db.execute(QString::fromLatin1(GetParam().statement));
    for (const char* uf : {"GO", "RJ"}) {
        SCOPED_TRACE(uf);
        OncologyContext ctx;
        EXPECT_NO_THROW(ctx = OncologyContext::load(db, QString::fromLatin1(uf)));
        EXPECT_FALSE(ctx.stateExempts);
        EXPECT_FALSE(ctx.applies(QString::fromLatin1(gen::known::kProductOnco)));
        const Counts c = compareRows(db, QStringLiteral("FARPRECOS"), Variant::MedicinesByProduct,
                                     QString::fromLatin1(uf), ctx);
        EXPECT_EQ(c.overridden, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Editions, PriceRuleOlderEdition,
    ::testing::Values(MissingColumn{"no ICMS_ONCOLOGICO", "ALTER TABLE FARESTADOS DROP ICMS_ONCOLOGICO"},
                      MissingColumn{"no ONCOLOGICO", "ALTER TABLE FARSUBSTANCIAS DROP ONCOLOGICO"}),
    [](const auto& info) { return info.index == 0 ? std::string("NoIcmsOncologico") : std::string("NoOncologico"); });

} // namespace
