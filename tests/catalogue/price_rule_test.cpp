// The price choice over hand-built rows and states, one table per variant.
#include "catalogue/price_rule.h"
#include "price_rows.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <span>

using namespace farq;
using namespace farq::price;
using farq::test::PriceTable;
using farq::test::priceRow;

namespace {

constexpr PriceType PMC = PriceType::PMC;
constexpr PriceType PFAB = PriceType::PFAB;
constexpr PriceType NONE = PriceType::None;

// expected: the column whose value the price must be; "" for an empty
// price; "0" for the price 0 with no column.
struct Case {
    const char* what;
    double rate;
    PriceType type;
    const char* expected;
    const char* uf = "SP";
    double genericRate = 0.0;
    const char* generico = "N";
    char kind = 'M';
};

StateRecord state(const char* uf, double rate, double genericRate = 0.0)
{
    StateRecord s;
    s.estado = QString::fromLatin1(uf);
    s.aliquota = rate;
    s.aliquotaGenerico = genericRate;
    s.icmsOncologico = QStringLiteral("N");
    return s;
}

PriceRequest request(PriceType type, char kind)
{
    PriceRequest r;
    r.type = type;
    r.reportKind = QLatin1Char(kind);
    r.exportKind = QLatin1Char(kind);
    return r;
}

void expectPrice(const PriceResult& r, const Row& row, const char* expected)
{
    const QString col = QString::fromLatin1(expected);
    if (col.isEmpty()) {
        EXPECT_FALSE(r.price.has_value()) << "got " << r.orZero() << " from " << r.column.toStdString();
        EXPECT_TRUE(r.column.isEmpty());
    } else if (col == QLatin1String("0")) {
        ASSERT_TRUE(r.price.has_value());
        EXPECT_EQ(*r.price, 0.0) << "from " << r.column.toStdString();
        EXPECT_TRUE(r.column.isEmpty()) << r.column.toStdString();
    } else {
        ASSERT_TRUE(r.price.has_value()) << "expected " << expected;
        EXPECT_EQ(r.column, col);
        EXPECT_DOUBLE_EQ(*r.price, row.number(col));
    }
}

void expectCases(Variant variant, std::span<const Case> cases, PriceTable table = PriceTable::Precos)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DataSet ds = priceRow({{"FARPREGENERICO", c.generico}}, table);
        const PriceResult r =
            CalculaPreco(ds.row(0), state(c.uf, c.rate, c.genericRate), request(c.type, c.kind), variant);
        expectPrice(r, ds.row(0), c.expected);
        EXPECT_FALSE(r.oncological);
    }
}

// ---------------------------------------------------------------------------

const Case kMedicinesByProduct[] = {
    {"PMC 18", 18, PMC, "FARPREALIQ1"},
    {"PMC 17", 17, PMC, "FARPREALIQ2"},
    {"PMC 17.5", 17.5, PMC, "PMC17_5"},
    {"PMC 19", 19, PMC, "FARPREALIQ3"},
    {"PMC 20", 20, PMC, "FARPREALIQ3"},
    {"PMC 12", 12, PMC, "FARPPRE_DOZE"},
    {"PMC 0", 0, PMC, "FARPPRE_ZERO"},
    {"PMC 25 matches nothing", 25, PMC, ""},
    {"PMC 17.99 matches nothing", 17.99, PMC, ""},
    {"PMC 17.4 is not rounded", 17.4, PMC, ""},
    {"PFAB 18", 18, PFAB, "FARPREALIQ4"},
    {"PFAB 17", 17, PFAB, "FARPREALIQ5"},
    {"PFAB 17.5", 17.5, PFAB, "PFAB17_5"},
    {"PFAB 19", 19, PFAB, "FARPREALIQ6"},
    {"PFAB 20", 20, PFAB, "FARPREALIQ6"},
    {"PFAB 12", 12, PFAB, "FARPPRE_DOZEFAB"},
    {"PFAB 0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"PFAB 25", 25, PFAB, ""},
    {"both boxes unchecked", 18, NONE, ""},
    {"both boxes unchecked, ZF", 18, NONE, "", "ZF"},
    {"both boxes unchecked, generic", 18, NONE, "", "MG", 12, "S"},
    {"ZF at 18 wins over the rate, PMC", 18, PMC, "FARPREZF", "ZF"},
    {"ZF at 18 wins over the rate, PFAB", 18, PFAB, "FARPPRE_ZFFAB", "ZF"},
    {"ZF at 25", 25, PMC, "FARPREZF", "ZF"},
    {"zf in lower case is no free-trade zone", 18, PMC, "FARPREALIQ1", "zf"},
    {"generic in ZF wins over both, PMC", 18, PMC, "FARPPRE_DOZE", "ZF", 12, "S"},
    {"generic in ZF wins over both, PFAB", 18, PFAB, "FARPPRE_DOZEFAB", "ZF", 12, "S"},
    {"generic S, rate 12 generic", 18, PMC, "FARPPRE_DOZE", "MG", 12, "S"},
    {"generic s counts, case ignored", 18, PMC, "FARPPRE_DOZE", "MG", 12, "s"},
    {"generic s counts, PFAB", 18, PFAB, "FARPPRE_DOZEFAB", "MG", 12, "s"},
    {"generic in a state at 25", 25, PMC, "FARPPRE_DOZE", "MG", 12, "S"},
    {"generic rate 0", 18, PMC, "FARPREALIQ1", "SP", 0, "S"},
    {"generic rate 0.5 rounds to 0", 18, PMC, "FARPREALIQ1", "SP", 0.5, "S"},
    {"generic rate 0.6 rounds to 1", 18, PMC, "FARPPRE_DOZE", "SP", 0.6, "S"},
    {"generic rate 2.5 rounds to 2", 18, PMC, "FARPPRE_DOZE", "SP", 2.5, "S"},
    {"not generic", 18, PMC, "FARPREALIQ1", "MG", 12, "N"},
};
TEST(PriceRuleVariants, MedicinesByProductIsTheFullForm)
{
    expectCases(Variant::MedicinesByProduct, kMedicinesByProduct);
}

const Case kMedicinesByLaboratory[] = {
    {"PMC 18", 18, PMC, "FARPREALIQ1"},
    {"PMC 17", 17, PMC, "FARPREALIQ2"},
    {"PMC 17.5", 17.5, PMC, "PMC17_5"},
    {"PMC 19 reads the 20 % column", 19, PMC, "FARPREALIQ3"},
    {"PMC 20", 20, PMC, "FARPREALIQ3"},
    {"PMC 12", 12, PMC, "FARPPRE_DOZE"},
    {"PMC 0", 0, PMC, "FARPPRE_ZERO"},
    {"PMC 25", 25, PMC, ""},
    {"PFAB 18", 18, PFAB, "FARPREALIQ4"},
    {"PFAB 19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"PFAB 17.5", 17.5, PFAB, "PFAB17_5"},
    {"PFAB 0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"both boxes unchecked", 18, NONE, ""},
    {"ZF at 18, PMC", 18, PMC, "FARPREZF", "ZF"},
    {"ZF at 18, PFAB", 18, PFAB, "FARPPRE_ZFFAB", "ZF"},
    {"generic S", 18, PMC, "FARPPRE_DOZE", "MG", 12, "S"},
    {"generic S, PFAB", 18, PFAB, "FARPPRE_DOZEFAB", "MG", 12, "S"},
    {"generic s is not generic here", 18, PMC, "FARPREALIQ1", "MG", 12, "s"},
    {"generic in ZF wins over both", 18, PMC, "FARPPRE_DOZE", "ZF", 12, "S"},
    {"generic rate 0.5", 18, PMC, "FARPREALIQ1", "SP", 0.5, "S"},
    {"generic rate 0.6", 18, PMC, "FARPPRE_DOZE", "SP", 0.6, "S"},
};
TEST(PriceRuleVariants, MedicinesByLaboratory)
{
    expectCases(Variant::MedicinesByLaboratory, kMedicinesByLaboratory);
}

const Case kMaterialsByLaboratory[] = {
    {"18", 18, PFAB, "FARPREALIQ4"},
    {"17", 17, PFAB, "FARPREALIQ5"},
    {"17.5", 17.5, PFAB, "PFAB17_5"},
    {"19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"20", 20, PFAB, "FARPREALIQ6"},
    {"12", 12, PFAB, "FARPPRE_DOZEFAB"},
    {"0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"25", 25, PFAB, ""},
    {"17.4 is compared exactly", 17.4, PFAB, ""},
    {"a PMC request still reads factory prices", 18, PMC, "FARPREALIQ4"},
    {"no boxes on this page", 18, NONE, "FARPREALIQ4"},
    {"no ZF step", 18, PFAB, "FARPREALIQ4", "ZF"},
    {"no generic step", 18, PFAB, "FARPREALIQ4", "MG", 12, "S"},
};
TEST(PriceRuleVariants, MaterialsByLaboratory)
{
    expectCases(Variant::MaterialsByLaboratory, kMaterialsByLaboratory);
}

const Case kMaterialsByProduct[] = {
    {"18", 18, PFAB, "FARPREALIQ4"},
    {"17", 17, PFAB, "FARPREALIQ5"},
    {"17.4 rounds to 17", 17.4, PFAB, "FARPREALIQ5"},
    {"17.5: the exact step overwrites the rounded 18", 17.5, PFAB, "PFAB17_5"},
    {"17.6 rounds to 18", 17.6, PFAB, "FARPREALIQ4"},
    {"18.5 rounds to 18", 18.5, PFAB, "FARPREALIQ4"},
    {"19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"19.5 rounds to 20", 19.5, PFAB, "FARPREALIQ6"},
    {"20", 20, PFAB, "FARPREALIQ6"},
    {"12", 12, PFAB, "FARPPRE_DOZEFAB"},
    {"12.5 rounds to 12", 12.5, PFAB, "FARPPRE_DOZEFAB"},
    {"0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"0.5 rounds to 0", 0.5, PFAB, "FARPPRE_ZEROFAB"},
    {"25", 25, PFAB, ""},
    {"a PMC request still reads factory prices", 18, PMC, "FARPREALIQ4"},
    {"no ZF step", 18, PFAB, "FARPREALIQ4", "ZF"},
    {"generic S", 18, PFAB, "FARPPRE_DOZEFAB", "MG", 12, "S"},
    {"generic s is not generic here", 18, PFAB, "FARPREALIQ4", "MG", 12, "s"},
    {"generic rate 0.5", 18, PFAB, "FARPREALIQ4", "SP", 0.5, "S"},
    {"generic rate 0.6", 18, PFAB, "FARPPRE_DOZEFAB", "SP", 0.6, "S"},
};
TEST(PriceRuleVariants, MaterialsByProduct)
{
    expectCases(Variant::MaterialsByProduct, kMaterialsByProduct);
}

const Case kSolutionsByProduct[] = {
    {"18", 18, PFAB, "FARPREALIQ4"},
    {"17", 17, PFAB, "FARPREALIQ5"},
    {"17.5 gets the 18 % column", 17.5, PFAB, "FARPREALIQ4"},
    {"19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"20", 20, PFAB, "FARPREALIQ6"},
    {"12", 12, PFAB, "FARPPRE_DOZEFAB"},
    {"0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"25 gives 0", 25, PFAB, "0"},
    {"the hidden PMC box stays unchecked", 18, PMC, "FARPREALIQ4"},
    {"no ZF step", 18, PFAB, "FARPREALIQ4", "ZF"},
    {"no generic step", 18, PFAB, "FARPREALIQ4", "MG", 12, "S"},
};
TEST(PriceRuleVariants, SolutionsByProduct)
{
    expectCases(Variant::SolutionsByProduct, kSolutionsByProduct);
}

const Case kSolutionsByLaboratory[] = {
    {"18", 18, PFAB, "FARPREALIQ4"},
    {"17", 17, PFAB, "FARPREALIQ5"},
    {"17.5", 17.5, PFAB, "PFAB17_5"},
    {"18.5 rounds to 18", 18.5, PFAB, "FARPREALIQ4"},
    {"19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"20", 20, PFAB, "FARPREALIQ6"},
    {"12", 12, PFAB, "FARPPRE_DOZEFAB"},
    {"0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"25 stays empty", 25, PFAB, ""},
    {"no ZF step", 18, PFAB, "FARPREALIQ4", "ZF"},
    {"no generic step", 18, PFAB, "FARPREALIQ4", "MG", 12, "S"},
};
TEST(PriceRuleVariants, SolutionsByLaboratory)
{
    expectCases(Variant::SolutionsByLaboratory, kSolutionsByLaboratory);
}

// The substance rows have no 17.5 % and no factory ZF column: reading one
// of them would fail the case.
const Case kMedicinesBySubstance[] = {
    {"PMC 18", 18, PMC, "FARPREALIQ1"},
    {"PMC 17", 17, PMC, "FARPREALIQ2"},
    {"PMC 17.5 rounds to 18", 17.5, PMC, "FARPREALIQ1"},
    {"PMC 19 reads the 20 % column", 19, PMC, "FARPREALIQ3"},
    {"PMC 20", 20, PMC, "FARPREALIQ3"},
    {"PMC 12", 12, PMC, "FARPRE_DOZE"},
    {"PMC 12.5 rounds to 12", 12.5, PMC, "FARPRE_DOZE"},
    {"PMC 0", 0, PMC, "FARPRE_ZERO"},
    {"PMC 25 gives 0", 25, PMC, "0"},
    {"PFAB 18", 18, PFAB, "FARPREALIQ4"},
    {"PFAB 17.5 rounds to 18", 17.5, PFAB, "FARPREALIQ4"},
    {"PFAB 12", 12, PFAB, "FARPRE_DOZEFAB"},
    {"PFAB 0", 0, PFAB, "FARPRE_ZEROFAB"},
    {"both boxes unchecked gives 0", 18, NONE, "0"},
    {"generic S, PMC", 18, PMC, "FARPREEX6", "MG", 12, "S"},
    {"generic S, PFAB", 18, PFAB, "FARPREEX6", "MG", 12, "S"},
    {"generic S, both boxes unchecked", 18, NONE, "FARPREEX6", "MG", 12, "S"},
    {"generic s is not generic here", 18, PMC, "FARPREALIQ1", "MG", 12, "s"},
    {"generic rate 0.5", 18, PMC, "FARPREALIQ1", "SP", 0.5, "S"},
    {"generic rate 0.6", 18, PMC, "FARPREEX6", "SP", 0.6, "S"},
    {"ZF, PMC", 18, PMC, "FARPREZF", "ZF"},
    {"ZF, PFAB reads the same column", 18, PFAB, "FARPREZF", "ZF"},
    {"ZF, both boxes unchecked", 18, NONE, "FARPREZF", "ZF"},
    {"ZF comes after the generic step", 18, PMC, "FARPREZF", "ZF", 12, "S"},
};
TEST(PriceRuleVariants, MedicinesBySubstance)
{
    expectCases(Variant::MedicinesBySubstance, kMedicinesBySubstance, PriceTable::PrecosSubstancias);
}

const Case kMaterialHierarchy[] = {
    {"18", 18, PFAB, "FARPREALIQ4"},
    {"17", 17, PFAB, "FARPREALIQ5"},
    {"17.5 gets the 18 % column", 17.5, PFAB, "FARPREALIQ4"},
    {"18.5 rounds to 18", 18.5, PFAB, "FARPREALIQ4"},
    {"19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"20", 20, PFAB, "FARPREALIQ6"},
    {"12", 12, PFAB, "FARPPRE_DOZEFAB"},
    {"0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"25 stays empty", 25, PFAB, ""},
    {"a PMC request still reads factory prices", 18, PMC, "FARPREALIQ4"},
    {"no ZF step", 18, PFAB, "FARPREALIQ4", "ZF"},
    {"no generic step", 18, PFAB, "FARPREALIQ4", "MG", 12, "S"},
};
TEST(PriceRuleVariants, MaterialHierarchy)
{
    expectCases(Variant::MaterialHierarchy, kMaterialHierarchy);
}

const Case kPriceReport[] = {
    // kind M: the price type of the PMC box, factory otherwise
    {"M PMC 18", 18, PMC, "FARPREALIQ1"},
    {"M PMC 17", 17, PMC, "FARPREALIQ2"},
    {"M PMC 19 reads the 20 % column", 19, PMC, "FARPREALIQ3"},
    {"M PMC 20", 20, PMC, "FARPREALIQ3"},
    {"M PMC 12", 12, PMC, "FARPPRE_DOZE"},
    {"M PMC 17.5", 17.5, PMC, "PMC17_5"},
    {"M PMC 0", 0, PMC, "FARPPRE_ZERO"},
    {"M PMC 0.4: the consumer 0 % step is rounded", 0.4, PMC, "FARPPRE_ZERO"},
    {"M PMC 0.5 rounds to 0", 0.5, PMC, "FARPPRE_ZERO"},
    {"M PMC 17.4", 17.4, PMC, "0"},
    {"M PMC 25 gives 0", 25, PMC, "0"},
    {"M PFAB 18", 18, PFAB, "FARPREALIQ4"},
    {"M PFAB 19 reads the 20 % column", 19, PFAB, "FARPREALIQ6"},
    {"M PFAB 17.5", 17.5, PFAB, "PFAB17_5"},
    {"M PFAB 0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"M PFAB 0.4: the factory 0 % step is exact", 0.4, PFAB, "0"},
    {"M neither box: factory", 18, NONE, "FARPREALIQ4"},
    {"M no ZF step", 18, PMC, "FARPREALIQ1", "ZF"},
    {"M generic, PMC", 18, PMC, "FARPPRE_DOZE", "MG", 12, "S"},
    {"M generic, PFAB takes the consumer column", 18, PFAB, "FARPPRE_DOZE", "MG", 12, "S"},
    {"M generic s is not generic here", 18, PFAB, "FARPREALIQ4", "MG", 12, "s"},
    {"M generic rate 0.5", 18, PFAB, "FARPREALIQ4", "SP", 0.5, "S"},
    {"M generic rate 0.6", 18, PFAB, "FARPPRE_DOZE", "SP", 0.6, "S"},
    {"unknown kind reads as M", 18, PMC, "FARPREALIQ1", "SP", 0, "N", 'X'},
    // kind I: the factory pass runs again over the first one
    {"I PMC 18: the factory pass wins", 18, PMC, "FARPREALIQ4", "SP", 0, "N", 'I'},
    {"I PMC 17.5", 17.5, PMC, "PFAB17_5", "SP", 0, "N", 'I'},
    {"I PMC 17", 17, PMC, "FARPREALIQ5", "SP", 0, "N", 'I'},
    {"I PMC 19 reads the 20 % column", 19, PMC, "FARPREALIQ6", "SP", 0, "N", 'I'},
    {"I PMC 20", 20, PMC, "FARPREALIQ6", "SP", 0, "N", 'I'},
    {"I PMC 0", 0, PMC, "FARPPRE_ZEROFAB", "SP", 0, "N", 'I'},
    {"I PMC 12", 12, PFAB, "FARPPRE_DOZEFAB", "SP", 0, "N", 'I'},
    {"I PMC 0.4: only the rounded consumer step", 0.4, PMC, "FARPPRE_ZERO", "SP", 0, "N", 'I'},
    {"I PMC 25", 25, PMC, "0", "SP", 0, "N", 'I'},
    {"I generic at 18: the factory pass wins", 18, PMC, "FARPREALIQ4", "MG", 12, "S", 'I'},
    {"I generic at 25 keeps the consumer 12 %", 25, PFAB, "FARPPRE_DOZE", "MG", 12, "S", 'I'},
    // kind S: only the factory pass
    {"S PMC 18", 18, PMC, "FARPREALIQ4", "SP", 0, "N", 'S'},
    {"S 19 reads the 20 % column", 19, PMC, "FARPREALIQ6", "SP", 0, "N", 'S'},
    {"S 17.5", 17.5, PMC, "PFAB17_5", "SP", 0, "N", 'S'},
    {"S 0.4", 0.4, PMC, "0", "SP", 0, "N", 'S'},
    {"S 17", 17, PMC, "FARPREALIQ5", "SP", 0, "N", 'S'},
    {"S 20", 20, PMC, "FARPREALIQ6", "SP", 0, "N", 'S'},
    {"S 12", 12, PMC, "FARPPRE_DOZEFAB", "SP", 0, "N", 'S'},
    {"S 0", 0, PMC, "FARPPRE_ZEROFAB", "SP", 0, "N", 'S'},
    {"S 25", 25, PMC, "0", "SP", 0, "N", 'S'},
    {"S no generic step", 25, PMC, "0", "MG", 12, "S", 'S'},
};
TEST(PriceRuleVariants, PriceReport)
{
    expectCases(Variant::PriceReport, kPriceReport);
}

const Case kExport[] = {
    {"M PMC 18", 18, PMC, "FARPREALIQ1"},
    {"M PMC 17", 17, PMC, "FARPREALIQ2"},
    {"M PMC 19 reads the 20 % column", 19, PMC, "FARPREALIQ3"},
    {"M PMC 20", 20, PMC, "FARPREALIQ3"},
    {"M PMC 12", 12, PMC, "FARPPRE_DOZE"},
    {"M PMC 0", 0, PMC, "FARPPRE_ZERO"},
    {"M PMC 17.5", 17.5, PMC, "PMC17_5"},
    {"M PMC 17.4 gives 0", 17.4, PMC, "0"},
    {"M PMC 25 gives 0", 25, PMC, "0"},
    {"M PFB 18", 18, PFAB, "FARPREALIQ4"},
    {"M PFB 17.5", 17.5, PFAB, "PFAB17_5"},
    {"M PFB 0", 0, PFAB, "FARPPRE_ZEROFAB"},
    {"M no state row: rate 0", 0, PMC, "FARPPRE_ZERO", ""},
    {"M generic s counts, PMC", 18, PMC, "FARPPRE_DOZE", "MG", 12, "s"},
    {"M generic S, PFB", 18, PFAB, "FARPPRE_DOZEFAB", "MG", 12, "S"},
    {"M generic rate 0.5", 18, PMC, "FARPREALIQ1", "SP", 0.5, "S"},
    {"M generic rate 0.6", 18, PMC, "FARPPRE_DOZE", "SP", 0.6, "S"},
    {"M ZF, PMC", 18, PMC, "FARPREZF", "ZF"},
    {"M ZF, PFB", 18, PFAB, "FARPPRE_ZFFAB", "ZF"},
    {"M ZF comes after the generic step", 18, PMC, "FARPREZF", "ZF", 12, "S"},
    {"I factory whatever the request", 18, PMC, "FARPREALIQ4", "SP", 0, "N", 'I'},
    {"I 17.4 rounds to 17", 17.4, PFAB, "FARPREALIQ5", "SP", 0, "N", 'I'},
    {"I 17", 17, PFAB, "FARPREALIQ5", "SP", 0, "N", 'I'},
    {"I 20", 20, PFAB, "FARPREALIQ6", "SP", 0, "N", 'I'},
    {"I 17.5 ends on the 17.5 column", 17.5, PFAB, "PFAB17_5", "SP", 0, "N", 'I'},
    {"I 18.5 rounds to 18", 18.5, PFAB, "FARPREALIQ4", "SP", 0, "N", 'I'},
    {"I 19 reads the 20 % column", 19, PFAB, "FARPREALIQ6", "SP", 0, "N", 'I'},
    {"I 12", 12, PFAB, "FARPPRE_DOZEFAB", "SP", 0, "N", 'I'},
    {"I 0", 0, PFAB, "FARPPRE_ZEROFAB", "SP", 0, "N", 'I'},
    {"I 25 gives 0", 25, PFAB, "0", "SP", 0, "N", 'I'},
    {"I generic S", 18, PMC, "FARPPRE_DOZEFAB", "MG", 12, "S", 'I'},
    {"I generic s is not generic", 18, PMC, "FARPREALIQ4", "MG", 12, "s", 'I'},
    {"I ZF takes the consumer ZF column", 18, PFAB, "FARPREZF", "ZF", 0, "N", 'I'},
    {"I ZF after the generic step", 18, PFAB, "FARPREZF", "ZF", 12, "S", 'I'},
    {"S 18", 18, PMC, "FARPREALIQ4", "SP", 0, "N", 'S'},
    {"S 17.5", 17.5, PMC, "PFAB17_5", "SP", 0, "N", 'S'},
    {"S 25 gives 0", 25, PMC, "0", "SP", 0, "N", 'S'},
    {"S 17", 17, PFAB, "FARPREALIQ5", "SP", 0, "N", 'S'},
    {"S 19 reads the 20 % column", 19, PFAB, "FARPREALIQ6", "SP", 0, "N", 'S'},
    {"S 20", 20, PFAB, "FARPREALIQ6", "SP", 0, "N", 'S'},
    {"S 12", 12, PFAB, "FARPPRE_DOZEFAB", "SP", 0, "N", 'S'},
    {"S 0", 0, PFAB, "FARPPRE_ZEROFAB", "SP", 0, "N", 'S'},
    {"S generic S takes FARPREEX6", 18, PMC, "FARPREEX6", "MG", 12, "S", 'S'},
    {"S generic s is not generic", 18, PMC, "FARPREALIQ4", "MG", 12, "s", 'S'},
    {"S ZF takes the consumer ZF column", 18, PMC, "FARPREZF", "ZF", 0, "N", 'S'},
    {"S ZF after the generic step", 18, PMC, "FARPREZF", "ZF", 12, "S", 'S'},
};
TEST(PriceRuleVariants, Export)
{
    expectCases(Variant::Export, kExport);
}

// ---------------------------------------------------------------------------
// The oncological override: the product 00002 is oncological in an
// exempting state.

struct OncoCase {
    const char* what;
    Variant variant;
    PriceType type;
    const char* expected;
    bool oncological;
    double zero = 5.55;    // the 0 % price of the asked type
    bool zeroNull = false;
    const char* product = "00002";
    bool exempts = true;
    char kind = 'M';
    const char* uf = "GO";
    double genericRate = 0.0;
    const char* generico = "N";
};

const OncoCase kOncology[] = {
    {"full form, PMC", Variant::MedicinesByProduct, PMC, "FARPPRE_ZERO", true},
    {"full form, PFAB", Variant::MedicinesByProduct, PFAB, "FARPPRE_ZEROFAB", true},
    {"full form, zero-rate price 0", Variant::MedicinesByProduct, PMC, "FARPREALIQ2", false, 0.0},
    {"full form, zero-rate price null", Variant::MedicinesByProduct, PMC, "FARPREALIQ2", false, 0.0, true},
    {"full form, both boxes unchecked", Variant::MedicinesByProduct, NONE, "", false},
    {"full form, state does not exempt", Variant::MedicinesByProduct, PMC, "FARPREALIQ2", false, 5.55, false,
     "00002", false},
    {"full form, product not oncological", Variant::MedicinesByProduct, PMC, "FARPREALIQ2", false, 5.55, false,
     "00010"},
    {"full form, code with trailing blanks", Variant::MedicinesByProduct, PMC, "FARPPRE_ZERO", true, 5.55, false,
     "00002  "},
    {"full form, code with a leading blank is another code", Variant::MedicinesByProduct, PMC, "FARPREALIQ2", false,
     5.55, false, " 0002"},
    {"full form, wins over ZF and generic", Variant::MedicinesByProduct, PMC, "FARPPRE_ZERO", true, 5.55, false,
     "00002", true, 'M', "ZF", 12, "S"},
    {"medicines by laboratory, PMC", Variant::MedicinesByLaboratory, PMC, "FARPPRE_ZERO", true},
    {"medicines by laboratory, zero-rate price 0", Variant::MedicinesByLaboratory, PFAB, "FARPREALIQ5", false, 0.0},
    {"substance, PMC", Variant::MedicinesBySubstance, PMC, "FARPRE_ZERO", true},
    {"substance, PFAB", Variant::MedicinesBySubstance, PFAB, "FARPRE_ZEROFAB", true},
    {"substance, both boxes unchecked", Variant::MedicinesBySubstance, NONE, "0", false},
    {"substance, zero-rate price 0", Variant::MedicinesBySubstance, PMC, "FARPREALIQ2", false, 0.0},
    {"export M, PMC", Variant::Export, PMC, "FARPPRE_ZERO", true},
    {"export M, PFB", Variant::Export, PFAB, "FARPPRE_ZEROFAB", true},
    {"export M, zero-rate price 0", Variant::Export, PMC, "FARPREALIQ2", false, 0.0},
    {"export M, wins over ZF", Variant::Export, PMC, "FARPPRE_ZERO", true, 5.55, false, "00002", true, 'M', "ZF"},
    {"export I has no override", Variant::Export, PFAB, "FARPREALIQ5", false, 5.55, false, "00002", true, 'I'},
    {"export S has no override", Variant::Export, PFAB, "FARPREALIQ5", false, 5.55, false, "00002", true, 'S'},
    {"materials by laboratory have none", Variant::MaterialsByLaboratory, PFAB, "FARPREALIQ5", false},
    {"materials by product have none", Variant::MaterialsByProduct, PFAB, "FARPREALIQ5", false},
    {"solutions by product have none", Variant::SolutionsByProduct, PFAB, "FARPREALIQ5", false},
    {"solutions by laboratory have none", Variant::SolutionsByLaboratory, PFAB, "FARPREALIQ5", false},
    {"hierarchy has none", Variant::MaterialHierarchy, PFAB, "FARPREALIQ5", false},
    {"report has none", Variant::PriceReport, PMC, "FARPREALIQ2", false},
};

TEST(PriceRuleOncology, OverrideByVariant)
{
    OncologyContext exempting;
    exempting.stateExempts = true;
    exempting.oncologicalProducts = {QStringLiteral("00002")};
    OncologyContext notExempting = exempting;
    notExempting.stateExempts = false;

    for (const OncoCase& c : kOncology) {
        SCOPED_TRACE(c.what);
        const bool substance = c.variant == Variant::MedicinesBySubstance;
        const char* zeroColumn = substance ? (c.type == PFAB ? "FARPRE_ZEROFAB" : "FARPRE_ZERO")
                                           : (c.type == PFAB ? "FARPPRE_ZEROFAB" : "FARPPRE_ZERO");
        const Value zero = c.zeroNull ? Value() : Value(c.zero);
        const DataSet ds = priceRow({{"FARPREMEDIC", c.product}, {zeroColumn, zero}, {"FARPREGENERICO", c.generico}},
                                    substance ? PriceTable::PrecosSubstancias : PriceTable::Precos);
        const PriceResult r = CalculaPreco(ds.row(0), state(c.uf, 17, c.genericRate), request(c.type, c.kind),
                                           c.variant, c.exempts ? exempting : notExempting);
        expectPrice(r, ds.row(0), c.expected);
        EXPECT_EQ(r.oncological, c.oncological);
    }
}

TEST(PriceRuleOncology, AnEmptyContextNeverApplies)
{
    const OncologyContext none;
    EXPECT_FALSE(none.applies(QStringLiteral("00002")));
    const DataSet ds = priceRow({{"FARPREMEDIC", "00002"}});
    const PriceResult r = CalculaPreco(ds.row(0), state("GO", 17), request(PMC, 'M'), Variant::MedicinesByProduct);
    EXPECT_EQ(r.column, QStringLiteral("FARPREALIQ2"));
    EXPECT_FALSE(r.oncological);
}

// ---------------------------------------------------------------------------
// Result rounding: solutions and report round to two decimals (halves away
// from zero), the others give the price as stored.

struct RoundingCase {
    const char* what;
    Variant variant;
    double rate;
    PriceType type;
    const char* column;
    double stored;
    double expected;
    char kind = 'M';
};

const RoundingCase kRounding[] = {
    {"solutions by product", Variant::SolutionsByProduct, 18, PFAB, "FARPREALIQ4", 10.126, 10.13},
    {"solutions by product, down", Variant::SolutionsByProduct, 12, PFAB, "FARPPRE_DOZEFAB", 10.124, 10.12},
    {"solutions by product, half", Variant::SolutionsByProduct, 18, PFAB, "FARPREALIQ4", 10.125, 10.13},
    {"solutions by laboratory, rounded step", Variant::SolutionsByLaboratory, 18, PFAB, "FARPREALIQ4", 10.126, 10.13},
    {"solutions by laboratory, 17.5 as stored", Variant::SolutionsByLaboratory, 17.5, PFAB, "PFAB17_5", 10.126,
     10.126},
    {"report M", Variant::PriceReport, 18, PMC, "FARPREALIQ1", 10.126, 10.13},
    {"report M, generic column", Variant::PriceReport, 25, PFAB, "FARPPRE_DOZE", 7.3333, 7.33},
    {"report I, factory pass", Variant::PriceReport, 18, PMC, "FARPREALIQ4", 10.126, 10.13, 'I'},
    {"report S", Variant::PriceReport, 17.5, PMC, "PFAB17_5", 0.005, 0.01, 'S'},
    {"full form as stored", Variant::MedicinesByProduct, 18, PMC, "FARPREALIQ1", 10.126, 10.126},
    {"medicines by laboratory as stored", Variant::MedicinesByLaboratory, 17.5, PFAB, "PFAB17_5", 10.126, 10.126},
    {"materials by product as stored", Variant::MaterialsByProduct, 18, PFAB, "FARPREALIQ4", 10.126, 10.126},
    {"materials by laboratory as stored", Variant::MaterialsByLaboratory, 18, PFAB, "FARPREALIQ4", 10.126, 10.126},
    {"hierarchy as stored", Variant::MaterialHierarchy, 18, PFAB, "FARPREALIQ4", 10.126, 10.126},
    {"export as stored", Variant::Export, 18, PMC, "FARPREALIQ1", 10.126, 10.126},
};

TEST(PriceRuleResult, RoundingByVariant)
{
    for (const RoundingCase& c : kRounding) {
        SCOPED_TRACE(c.what);
        const DataSet ds = priceRow({{c.column, c.stored}, {"FARPREGENERICO", "S"}});
        const double genericRate = QString::fromLatin1(c.column) == QLatin1String("FARPPRE_DOZE") ? 12 : 0;
        const PriceResult r =
            CalculaPreco(ds.row(0), state("SP", c.rate, genericRate), request(c.type, c.kind), c.variant);
        ASSERT_TRUE(r.price.has_value());
        EXPECT_EQ(r.column, QString::fromLatin1(c.column));
        EXPECT_DOUBLE_EQ(*r.price, c.expected);
    }
}

TEST(PriceRuleResult, NullPriceReadsAsZero)
{
    const DataSet ds = priceRow({{"FARPREALIQ1", Value()}});
    const PriceResult r = CalculaPreco(ds.row(0), state("SP", 18), request(PMC, 'M'), Variant::MedicinesByProduct);
    ASSERT_TRUE(r.price.has_value());
    EXPECT_EQ(*r.price, 0.0);
    EXPECT_EQ(r.orZero(), 0.0);
}

TEST(PriceRuleResult, TheRuleDoesNotDependOnTheRoundingMode)
{
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    const DataSet ds = priceRow();
    const PriceResult r = CalculaPreco(ds.row(0), state("SP", 12.5), request(PFAB, 'M'), Variant::MaterialsByProduct);
    const double rounded = roundRate(0.5);
    std::fesetround(saved);
    EXPECT_EQ(r.column, QStringLiteral("FARPPRE_DOZEFAB"));
    EXPECT_EQ(rounded, 0.0);
}

// ---------------------------------------------------------------------------

TEST(PriceRuleHelpers, RoundRateHalvesToEven)
{
    const std::pair<double, double> cases[] = {{17.5, 18}, {12.5, 12}, {18.5, 18}, {0.5, 0},  {1.5, 2},
                                               {19.5, 20}, {0.6, 1},   {0.4, 0},   {17.4, 17}, {-0.5, 0},
                                               {12, 12},   {0, 0}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(roundRate(in), out) << in;
}

TEST(PriceRuleHelpers, GenericRateApplies)
{
    EXPECT_FALSE(genericRateApplies(state("SP", 18, 0)));
    EXPECT_FALSE(genericRateApplies(state("SP", 18, 0.5)));
    EXPECT_TRUE(genericRateApplies(state("SP", 18, 0.6)));
    EXPECT_TRUE(genericRateApplies(state("MG", 18, 12)));
}

TEST(PriceRuleHelpers, ExportPriceLabel)
{
    EXPECT_EQ(exportPriceLabel(QLatin1Char('M'), PMC), QStringLiteral("PMC"));
    EXPECT_EQ(exportPriceLabel(QLatin1Char('M'), PFAB), QStringLiteral("PFB"));
    EXPECT_EQ(exportPriceLabel(QLatin1Char('M'), NONE), QStringLiteral("PFB"));
    EXPECT_EQ(exportPriceLabel(QLatin1Char('I'), PMC), QStringLiteral("PFB"));
    EXPECT_EQ(exportPriceLabel(QLatin1Char('S'), PMC), QStringLiteral("PFB"));
}

TEST(PriceRuleHelpers, StateFromRow)
{
    DataSet full(QStringList{"ESTADO", "DESCRICAO", "ALIQUOTA", "ALIQUOTAGENERICO", "ICMS_ONCOLOGICO"});
    full.appendRow({"MG", "Minas Gerais", 18.0, 12.0, "N"});
    const StateRecord mg = stateFromRow(full.row(0));
    EXPECT_EQ(mg.estado, QStringLiteral("MG"));
    EXPECT_EQ(mg.descricao, QStringLiteral("Minas Gerais"));
    EXPECT_EQ(mg.aliquota, 18.0);
    EXPECT_EQ(mg.aliquotaGenerico, 12.0);
    EXPECT_EQ(mg.icmsOncologico, QStringLiteral("N"));

    // An older layout without the generic and oncological columns, nulls.
    DataSet old(QStringList{"ESTADO", "DESCRICAO", "ALIQUOTA"});
    old.appendRow({"ZF ", Value(), Value()});
    const StateRecord zf = stateFromRow(old.row(0));
    EXPECT_EQ(zf.estado, QStringLiteral("ZF"));
    EXPECT_EQ(zf.aliquota, 0.0);
    EXPECT_EQ(zf.aliquotaGenerico, 0.0);
    EXPECT_TRUE(zf.icmsOncologico.isEmpty());
}

TEST(PriceRuleHelpers, StateKindsAndOfferedTypes)
{
    using V = Variant;
    const std::tuple<V, StateKind, OfferedTypes, FlagKeeping> cases[] = {
        {V::MedicinesByProduct, StateKind::Chosen, OfferedTypes::PmcPfabOrNeither, FlagKeeping::KeptByPage},
        {V::MedicinesByLaboratory, StateKind::Chosen, OfferedTypes::PmcPfabOrNeither, FlagKeeping::ClearedEveryRow},
        {V::MaterialsByLaboratory, StateKind::Chosen, OfferedTypes::FactoryOnly, FlagKeeping::None},
        {V::MaterialsByProduct, StateKind::Saved, OfferedTypes::FactoryOnly, FlagKeeping::None},
        {V::SolutionsByProduct, StateKind::Saved, OfferedTypes::FactoryOnly, FlagKeeping::None},
        {V::SolutionsByLaboratory, StateKind::Chosen, OfferedTypes::FactoryOnly, FlagKeeping::None},
        {V::MedicinesBySubstance, StateKind::Saved, OfferedTypes::PmcPfabOrNeither, FlagKeeping::ClearedEveryRow},
        {V::MaterialHierarchy, StateKind::Chosen, OfferedTypes::FactoryOnly, FlagKeeping::None},
        {V::PriceReport, StateKind::Chosen, OfferedTypes::PmcOrFactory, FlagKeeping::None},
        {V::Export, StateKind::Saved, OfferedTypes::PmcOrFactory, FlagKeeping::None},
    };
    for (const auto& [v, kind, types, flag] : cases) {
        SCOPED_TRACE(int(v));
        EXPECT_EQ(stateKind(v), kind);
        EXPECT_EQ(offeredTypes(v), types);
        EXPECT_EQ(flagKeeping(v), flag);
    }
    EXPECT_EQ(offeredTypes(V::PriceReport, QLatin1Char('S')), OfferedTypes::FactoryOnly);
    EXPECT_EQ(offeredTypes(V::Export, QLatin1Char('I')), OfferedTypes::FactoryOnly);
    EXPECT_EQ(offeredTypes(V::Export, QLatin1Char('S')), OfferedTypes::FactoryOnly);
}

TEST(PriceRuleHelpers, KeepOncologicalFlag)
{
    PriceResult onc;
    onc.oncological = true;
    const PriceResult plain;
    const std::tuple<const char*, Variant, bool, const PriceResult*, bool> cases[] = {
        {"product page: set by an overridden row", Variant::MedicinesByProduct, false, &onc, true},
        {"product page: a later plain row keeps it", Variant::MedicinesByProduct, true, &plain, true},
        {"laboratory page: cleared by a plain row", Variant::MedicinesByLaboratory, true, &plain, false},
        {"laboratory page: set by an overridden row", Variant::MedicinesByLaboratory, false, &onc, true},
        {"substance page: cleared by a plain row", Variant::MedicinesBySubstance, true, &plain, false},
        {"substance page: set by an overridden row", Variant::MedicinesBySubstance, false, &onc, true},
        {"export keeps no flag", Variant::Export, false, &onc, false},
        {"materials keep no flag", Variant::MaterialsByProduct, true, &plain, true},
    };
    for (const auto& [what, v, before, result, after] : cases) {
        SCOPED_TRACE(what);
        bool flag = before;
        keepOncologicalFlag(v, flag, *result);
        EXPECT_EQ(flag, after);
    }
}

TEST(PriceRuleHelpers, OncologyStateQueryQuotesTheCode)
{
    EXPECT_EQ(oncologyStateQuery(QStringLiteral("GO")),
              QStringLiteral("SELECT ICMS_ONCOLOGICO FROM FARESTADOS WHERE ESTADO = 'GO'"));
    EXPECT_EQ(oncologyStateQuery(QStringLiteral("G'")),
              QStringLiteral("SELECT ICMS_ONCOLOGICO FROM FARESTADOS WHERE ESTADO = 'G'''"));
}

} // namespace
