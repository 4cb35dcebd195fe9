#include "catalogue/price_rule.h"

#include "shell/database.h"
#include "shell/edition.h"

#include <QStringList>

#include <array>
#include <cmath>
#include <exception>
#include <vector>

namespace farq::price {
namespace {

// ---------------------------------------------------------------------------
// Price columns. A slot is "the price for this rate"; each price table names
// its consumer (PMC) and factory (PFAB) column for every slot.

enum class Slot { Rate18, Rate17, Rate20, Rate12, Rate0, Rate17_5, ZoneFree, Ex6, Count };

struct TableLayout {
    const char* table;
    std::array<const char*, int(Slot::Count)> pmc;
    std::array<const char*, int(Slot::Count)> pfab;
};

// Rate18, Rate17, Rate20 (also 19), Rate12, Rate0, Rate17_5, ZoneFree, Ex6
const TableLayout kPrecos{
    "FARPRECOS",
    {"FARPREALIQ1", "FARPREALIQ2", "FARPREALIQ3", "FARPPRE_DOZE", "FARPPRE_ZERO", "PMC17_5", "FARPREZF",
     "FARPREEX6"},
    {"FARPREALIQ4", "FARPREALIQ5", "FARPREALIQ6", "FARPPRE_DOZEFAB", "FARPPRE_ZEROFAB", "PFAB17_5", "FARPPRE_ZFFAB",
     "FARPREEX6"},
};
const TableLayout kPrecosSubstancias{
    "FARPRECOSSUBSTANCIAS",
    {"FARPREALIQ1", "FARPREALIQ2", "FARPREALIQ3", "FARPRE_DOZE", "FARPRE_ZERO", nullptr, "FARPREZF", "FARPREEX6"},
    {"FARPREALIQ4", "FARPREALIQ5", "FARPREALIQ6", "FARPRE_DOZEFAB", "FARPRE_ZEROFAB", nullptr, "FARPPRE_ZFFAB",
     "FARPREEX6"},
};

// ---------------------------------------------------------------------------
// Steps. Every step that applies overwrites the price; the last one wins.

enum class Test { Rate, ZoneFree, Generic, Oncological };
enum class Cmp { Exact, Rounded };
// Whose column a step reads: the price type in force, or always the
// consumer / factory one.
enum class ColumnOf { Asked, Consumer, Factory };
// When a step runs: only with a price type in force (None skips it), with
// the price type in force being exactly PMC or PFAB, or always.
enum class Runs { Priced, OnlyPmc, OnlyPfab, Always };

struct Step {
    Test test;
    Slot slot;
    double rate = 0.0;        // Rate
    Cmp cmp = Cmp::Exact;     // Rate
    ColumnOf column = ColumnOf::Asked;
    Runs runs = Runs::Priced;
    bool anyCase = false;     // Generic: FARPREGENERICO compared without regard to case
};

Step rate(double r, Cmp c, Slot s, ColumnOf col = ColumnOf::Asked, Runs runs = Runs::Priced)
{
    return Step{Test::Rate, s, r, c, col, runs, false};
}
Step zoneFree(ColumnOf col = ColumnOf::Asked, Runs runs = Runs::Priced)
{
    return Step{Test::ZoneFree, Slot::ZoneFree, 0.0, Cmp::Exact, col, runs, false};
}
Step generic(bool anyCase, Slot target, ColumnOf col = ColumnOf::Asked, Runs runs = Runs::Priced)
{
    return Step{Test::Generic, target, 0.0, Cmp::Exact, col, runs, anyCase};
}
Step oncological() { return Step{Test::Oncological, Slot::Rate0, 0.0, Cmp::Exact, ColumnOf::Asked, Runs::Priced, false}; }

using Steps = std::vector<Step>;
Steps operator+(Steps a, const Steps& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// FARPREGENERICO compared without regard to case, or exactly with "S".
constexpr bool kAnyCase = true;
constexpr bool kExactS = false;

constexpr Cmp X = Cmp::Exact;
constexpr Cmp R = Cmp::Rounded;

// The rate steps as sequences. A 19 % state reads the columns shared with
// 20 %, tested just before 20 in every variant.
Steps exactRates(ColumnOf col = ColumnOf::Asked)
{
    return {rate(18, X, Slot::Rate18, col), rate(17, X, Slot::Rate17, col), rate(19, X, Slot::Rate20, col),
            rate(20, X, Slot::Rate20, col), rate(12, X, Slot::Rate12, col), rate(0, X, Slot::Rate0, col),
            rate(17.5, X, Slot::Rate17_5, col)};
}
Steps roundedRates()
{
    return {rate(18, R, Slot::Rate18), rate(17, R, Slot::Rate17), rate(19, R, Slot::Rate20),
            rate(20, R, Slot::Rate20), rate(12, R, Slot::Rate12), rate(0, R, Slot::Rate0)};
}
Steps exact17_5() { return {rate(17.5, X, Slot::Rate17_5)}; }

// The price report's first pass: the price type in force (PMC box, else
// factory), 0 % compared rounded for PMC and exactly for PFAB; the generic
// step always gives the consumer 12 % column.
Steps reportPass()
{
    return {rate(18, X, Slot::Rate18),
            rate(17, X, Slot::Rate17),
            rate(19, X, Slot::Rate20),
            rate(20, X, Slot::Rate20),
            rate(12, X, Slot::Rate12),
            rate(17.5, X, Slot::Rate17_5),
            rate(0, R, Slot::Rate0, ColumnOf::Asked, Runs::OnlyPmc),
            rate(0, X, Slot::Rate0, ColumnOf::Asked, Runs::OnlyPfab),
            generic(kExactS, Slot::Rate12, ColumnOf::Consumer)};
}
// The report's factory pass (kind "I" after the first pass, kind "S" alone).
Steps reportFactoryPass()
{
    const ColumnOf f = ColumnOf::Factory;
    return {rate(18, X, Slot::Rate18, f), rate(17, X, Slot::Rate17, f),   rate(19, X, Slot::Rate20, f),
            rate(20, X, Slot::Rate20, f), rate(12, X, Slot::Rate12, f),   rate(17.5, X, Slot::Rate17_5, f),
            rate(0, X, Slot::Rate0, f)};
}

// How the result is rounded to two decimals.
enum class Rounding {
    AsStored,      // the column's value as stored
    TwoDecimals,   // every step's price
    RoundedSteps,  // only the prices of the steps compared rounded
};

constexpr QChar kAnyKind = QChar(u'*');

// One row per variant of the rule.
struct Rule {
    Variant variant;
    QChar kind;            // report / export kind; kAnyKind for the pages
    const TableLayout* table;
    StateKind state;
    OfferedTypes types;
    Steps steps;
    Rounding rounding;
    bool zeroWhenEmpty;    // 0 instead of an empty price when no step applies
    FlagKeeping flag;
};

const std::vector<Rule>& rules()
{
    using enum Variant;
    using S = StateKind;
    using T = OfferedTypes;
    using F = FlagKeeping;
    const ColumnOf asked = ColumnOf::Asked, consumer = ColumnOf::Consumer, factory = ColumnOf::Factory;
    static const std::vector<Rule> kRules{
        // variant, kind, rows, state, price types, steps, result rounding, 0 when empty, flag
        {MedicinesByProduct, kAnyKind, &kPrecos, S::Chosen, T::PmcPfabOrNeither,
         exactRates() + Steps{zoneFree(), generic(kAnyCase, Slot::Rate12), oncological()}, Rounding::AsStored, false,
         F::KeptByPage},
        {MedicinesByLaboratory, kAnyKind, &kPrecos, S::Chosen, T::PmcPfabOrNeither,
         exactRates() + Steps{zoneFree(), generic(kExactS, Slot::Rate12), oncological()}, Rounding::AsStored, false,
         F::ClearedEveryRow},
        {MaterialsByLaboratory, kAnyKind, &kPrecos, S::Chosen, T::FactoryOnly, exactRates(), Rounding::AsStored, false,
         F::None},
        {MaterialsByProduct, kAnyKind, &kPrecos, S::Saved, T::FactoryOnly,
         roundedRates() + exact17_5() + Steps{generic(kExactS, Slot::Rate12)}, Rounding::AsStored, false, F::None},
        {SolutionsByProduct, kAnyKind, &kPrecos, S::Saved, T::FactoryOnly, roundedRates(), Rounding::TwoDecimals, true,
         F::None},
        {SolutionsByLaboratory, kAnyKind, &kPrecos, S::Chosen, T::FactoryOnly, roundedRates() + exact17_5(),
         Rounding::RoundedSteps, false, F::None},
        {MedicinesBySubstance, kAnyKind, &kPrecosSubstancias, S::Saved, T::PmcPfabOrNeither,
         roundedRates() + Steps{generic(kExactS, Slot::Ex6, asked, Runs::Always),
                                zoneFree(consumer, Runs::Always), oncological()},
         Rounding::AsStored, true, F::ClearedEveryRow},
        {MaterialHierarchy, kAnyKind, &kPrecos, S::Chosen, T::FactoryOnly, roundedRates(), Rounding::AsStored, false,
         F::None},
        {PriceReport, QChar(u'M'), &kPrecos, S::Chosen, T::PmcOrFactory, reportPass(), Rounding::TwoDecimals, true,
         F::None},
        {PriceReport, QChar(u'I'), &kPrecos, S::Chosen, T::PmcOrFactory, reportPass() + reportFactoryPass(),
         Rounding::TwoDecimals, true, F::None},
        {PriceReport, QChar(u'S'), &kPrecos, S::Chosen, T::FactoryOnly, reportFactoryPass(), Rounding::TwoDecimals,
         true, F::None},
        {Export, QChar(u'M'), &kPrecos, S::Saved, T::PmcOrFactory,
         exactRates() + Steps{generic(kAnyCase, Slot::Rate12), zoneFree(), oncological()}, Rounding::AsStored, true,
         F::None},
        {Export, QChar(u'I'), &kPrecos, S::Saved, T::FactoryOnly,
         roundedRates() + exact17_5() + Steps{generic(kExactS, Slot::Rate12, factory), zoneFree(consumer)},
         Rounding::AsStored, true, F::None},
        {Export, QChar(u'S'), &kPrecos, S::Saved, T::FactoryOnly,
         roundedRates() + exact17_5() + Steps{generic(kExactS, Slot::Ex6), zoneFree(consumer)}, Rounding::AsStored, true,
         F::None},
    };
    return kRules;
}

// The row for a variant; the report and the export pick theirs by kind
// ("I" and "S"; any other kind is read as medicines).
const Rule& ruleFor(Variant variant, QChar kind)
{
    const Rule* fallback = nullptr;
    for (const Rule& r : rules()) {
        if (r.variant != variant)
            continue;
        if (r.kind == kAnyKind || r.kind == kind)
            return r;
        if (r.kind == QChar(u'M'))
            fallback = &r;
    }
    return *fallback;
}

QChar kindOf(Variant variant, const PriceRequest& request)
{
    switch (variant) {
    case Variant::PriceReport: return request.reportKind;
    case Variant::Export: return request.exportKind;
    default: return kAnyKind;
    }
}

// The price type in force for a rule: the pages with boxes take the request
// as it is; factory-only pages always read factory prices; the report and
// the export read PMC when asked, factory otherwise.
PriceType typeInForce(OfferedTypes types, PriceType asked)
{
    switch (types) {
    case OfferedTypes::PmcPfabOrNeither: return asked;
    case OfferedTypes::FactoryOnly: return PriceType::PFAB;
    case OfferedTypes::PmcOrFactory: return asked == PriceType::PMC ? PriceType::PMC : PriceType::PFAB;
    }
    return asked;
}

bool stepRuns(Runs runs, PriceType t)
{
    switch (runs) {
    case Runs::Priced: return t != PriceType::None;
    case Runs::OnlyPmc: return t == PriceType::PMC;
    case Runs::OnlyPfab: return t == PriceType::PFAB;
    case Runs::Always: return true;
    }
    return false;
}

const char* columnOf(const TableLayout& table, Slot slot, ColumnOf col, PriceType t)
{
    const bool factory = col == ColumnOf::Factory || (col == ColumnOf::Asked && t == PriceType::PFAB);
    return (factory ? table.pfab : table.pmc)[int(slot)];
}

bool rateMatches(double a, const Step& s)
{
    return s.cmp == Cmp::Exact ? a == s.rate : roundRate(a) == s.rate;
}

double roundTwo(double v) { return std::round(v * 100.0) / 100.0; }

QString withoutTrailingBlanks(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

double priceOf(const Row& row, const char* column) { return row.number(QString::fromLatin1(column)); }

} // namespace

StateRecord stateFromRow(const Row& row)
{
    auto text = [&](const char* c) {
        const QString name = QString::fromLatin1(c);
        return row.has(name) ? row.text(name) : QString();
    };
    auto number = [&](const char* c) {
        const QString name = QString::fromLatin1(c);
        return row.has(name) ? row.number(name) : 0.0;
    };
    StateRecord s;
    s.estado = text("ESTADO").trimmed();
    s.descricao = text("DESCRICAO");
    s.aliquota = number("ALIQUOTA");
    s.aliquotaGenerico = number("ALIQUOTAGENERICO");
    s.icmsOncologico = text("ICMS_ONCOLOGICO");
    return s;
}

StateKind stateKind(Variant variant) { return ruleFor(variant, QChar(u'M')).state; }

OfferedTypes offeredTypes(Variant variant, QChar kind) { return ruleFor(variant, kind).types; }

FlagKeeping flagKeeping(Variant variant) { return ruleFor(variant, QChar(u'M')).flag; }

void keepOncologicalFlag(Variant variant, bool& flag, const PriceResult& result)
{
    switch (flagKeeping(variant)) {
    case FlagKeeping::None: break;
    case FlagKeeping::KeptByPage: flag = flag || result.oncological; break;
    case FlagKeeping::ClearedEveryRow: flag = result.oncological; break;
    }
}

double roundRate(double rate)
{
    // Halves to the even neighbour, whatever rounding mode is in force.
    const double lower = std::floor(rate);
    const double diff = rate - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

bool genericRateApplies(const StateRecord& state) { return roundRate(state.aliquotaGenerico) > 0.0; }

QString exportPriceLabel(QChar exportKind, PriceType type)
{
    return ruleFor(Variant::Export, exportKind).types != OfferedTypes::FactoryOnly && type == PriceType::PMC
               ? QStringLiteral("PMC")
               : QStringLiteral("PFB");
}

QString oncologyStateQuery(const QString& stateCode)
{
    return QStringLiteral("SELECT ICMS_ONCOLOGICO FROM FARESTADOS WHERE ESTADO = ") + sqlQuote(stateCode);
}

// Every product for which the per-product count of oncological substances
// (through FARMEDICAMENTOSUBSTANCIAS and FARMEDICAMENTOS) is above 0.
const QString kOncologicalProductsQuery = QStringLiteral(
    "SELECT DISTINCT farmedicamentos.farmedcodigo "
    "FROM farsubstancias INNER join farmedicamentosubstancias "
    "ON farsubstancias.farsubcodigo = farmedicamentosubstancias.farmedsubcodigosub "
    "INNER JOIN farmedicamentos ON farmedicamentosubstancias.farmedsubcodigomed = farmedicamentos.farmedcodigo "
    "WHERE farsubstancias.oncologico = 'S'");

OncologyContext OncologyContext::load(EditionDatabase& db, const QString& stateCode)
{
    // Any failure (an edition without ICMS_ONCOLOGICO, or without the
    // ONCOLOGICO column) leaves the override inactive, silently.
    OncologyContext ctx;
    try {
        const DataSet state = db.query(oncologyStateQuery(stateCode));
        if (state.empty() || withoutTrailingBlanks(state.row(0).text(QStringLiteral("ICMS_ONCOLOGICO"))) !=
                                 QLatin1String("S"))
            return ctx;
        const DataSet products = db.query(kOncologicalProductsQuery);
        QSet<QString> codes;
        for (const Row r : products)
            codes.insert(withoutTrailingBlanks(r.text(QStringLiteral("FARMEDCODIGO"))));
        ctx.oncologicalProducts = std::move(codes);
        ctx.stateExempts = true;
    } catch (const std::exception&) {
        return OncologyContext{};
    }
    return ctx;
}

bool OncologyContext::applies(const QString& productCode) const
{
    return stateExempts && oncologicalProducts.contains(withoutTrailingBlanks(productCode));
}

PriceResult CalculaPreco(const Row& row, const StateRecord& state, const PriceRequest& request, Variant variant,
                         const OncologyContext& oncology)
{
    const Rule& rule = ruleFor(variant, kindOf(variant, request));
    const PriceType t = typeInForce(rule.types, request.type);
    const double a = state.aliquota;

    PriceResult result;
    auto take = [&](const Step& s, const char* column) {
        double v = priceOf(row, column);
        if (rule.rounding == Rounding::TwoDecimals ||
            (rule.rounding == Rounding::RoundedSteps && s.test == Test::Rate && s.cmp == Cmp::Rounded))
            v = roundTwo(v);
        result.price = v;
        result.column = QString::fromLatin1(column);
    };

    for (const Step& s : rule.steps) {
        if (!stepRuns(s.runs, t))
            continue;
        const char* column = columnOf(*rule.table, s.slot, s.column, t);
        if (!column)
            continue;
        switch (s.test) {
        case Test::Rate:
            if (rateMatches(a, s))
                take(s, column);
            break;
        case Test::ZoneFree:
            if (state.estado == QLatin1String("ZF"))
                take(s, column);
            break;
        case Test::Generic: {
            const QString g = row.text(QStringLiteral("FARPREGENERICO"));
            const bool isGeneric = s.anyCase ? g.toUpper() == QLatin1String("S") : g == QLatin1String("S");
            if (genericRateApplies(state) && isGeneric)
                take(s, column);
            break;
        }
        case Test::Oncological:
            if (oncology.applies(row.text(QStringLiteral("FARPREMEDIC"))) && priceOf(row, column) > 0.0) {
                take(s, column);
                result.oncological = true;
            }
            break;
        }
    }
    if (!result.price && rule.zeroWhenEmpty)
        result.price = 0.0;
    return result;
}

} // namespace farq::price
