#pragma once
// The price choice: which of a price row's precomputed prices applies to a
// state and a price type. Every page, report and export takes its price from
// here. The variants of the rule are rows of one table of options
// (price_rule.cpp, kRules).
#include "shell/dataset.h"

#include <QSet>
#include <QString>

#include <optional>

namespace farq {
class EditionDatabase;
}

namespace farq::price {

// The price type asked for: the page's PMC / PFAB boxes (None: both
// unchecked), the report's PMC box, the export's "Tipo" (PFAB is the
// export's "PFB").
enum class PriceType { None, PMC, PFAB };

// A row of FARESTADOS.
struct StateRecord {
    QString estado;             // trimmed state code
    QString descricao;
    double aliquota = 0.0;
    double aliquotaGenerico = 0.0;
    QString icmsOncologico;     // "S" when the state exempts oncological medicines
};
// Reads ESTADO, DESCRICAO, ALIQUOTA, ALIQUOTAGENERICO and ICMS_ONCOLOGICO of a
// FARESTADOS row (or of a parameters row joined with its state). Missing or
// null columns read as empty / 0. A state that has no row at all is the
// default StateRecord: its rate counts as 0.
StateRecord stateFromRow(const Row& row);

enum class Variant {
    MedicinesByProduct,   // the full form
    MedicinesByLaboratory,
    MaterialsByLaboratory,
    MaterialsByProduct,
    SolutionsByProduct,
    SolutionsByLaboratory,
    MedicinesBySubstance, // rows of FARPRECOSSUBSTANCIAS
    MaterialHierarchy,
    PriceReport,          // by PriceRequest::reportKind
    Export,               // by PriceRequest::exportKind
};

// Which state record a variant is computed against.
enum class StateKind {
    Chosen, // the page's own state list (the report's "UF" list)
    Saved,  // the state of the parameters row
};
StateKind stateKind(Variant variant);

// Which price types the page offers the user.
enum class OfferedTypes {
    PmcPfabOrNeither, // the two boxes; both may be unchecked
    FactoryOnly,      // no choice: factory prices (a PMC request is read as PFAB)
    PmcOrFactory,     // report and export: PMC, otherwise factory
};
// For PriceReport and Export the answer depends on the kind ("I" and "S"
// export factory prices only).
OfferedTypes offeredTypes(Variant variant, QChar kind = QLatin1Char('M'));

// What the oncological override needs, read once per page, report or export
// run instead of two queries per row. An edition without ICMS_ONCOLOGICO or
// without the ONCOLOGICO column gives an inactive context (no error).
// Load it for the state the variant is computed against (StateKind); a
// variant without the override ignores it.
struct OncologyContext {
    bool stateExempts = false;         // ICMS_ONCOLOGICO exactly "S"
    QSet<QString> oncologicalProducts; // FARMEDCODIGO with an oncological substance, trailing blanks removed
    static OncologyContext load(EditionDatabase& db, const QString& stateCode);
    // The state exempts and the product (FARPREMEDIC, compared as the engine
    // compares CHAR codes: trailing blanks do not count) is oncological.
    bool applies(const QString& productCode) const;
};

// The statements behind OncologyContext::load: the state's exemption
// (the code quoted, quotes inside doubled) and the oncological products.
QString oncologyStateQuery(const QString& stateCode);
extern const QString kOncologicalProductsQuery;

struct PriceResult {
    std::optional<double> price; // empty when no step applied
    bool oncological = false;    // the oncological override replaced the price
    QString column;              // the column the price came from (empty when none)
    double orZero() const { return price.value_or(0.0); }
};

struct PriceRequest {
    PriceType type = PriceType::PMC;
    QChar reportKind = QLatin1Char('M');   // price report: the report kind M, I or S
    QChar exportKind = QLatin1Char('M');   // export: the export kind M, I or S
};

// CalculaPreco: one row, one state, one price type, one variant.
// The row must carry the price columns of the variant's table (FARPRECOS, or
// FARPRECOSSUBSTANCIAS for MedicinesBySubstance); a null price reads as 0.
// Never touches the database and never reports an error.
PriceResult CalculaPreco(const Row& row, const StateRecord& state, const PriceRequest& request, Variant variant,
                         const OncologyContext& oncology = {});

// FlagOncologico belongs to the page. How each page keeps it:
//  - MedicinesByProduct: the page sets it to false before reading the rows;
//    the rule only ever sets it (KeptByPage). The page evaluates the first
//    row before writing its heading, so the heading follows the first row.
//  - MedicinesByLaboratory, MedicinesBySubstance: it describes the row just
//    read (ClearedEveryRow).
//  - every other variant: no flag (pages print no oncological text).
enum class FlagKeeping { None, KeptByPage, ClearedEveryRow };
FlagKeeping flagKeeping(Variant variant);
// Updates the page's flag with one row's result, as the variant keeps it.
void keepOncologicalFlag(Variant variant, bool& flag, const PriceResult& result);

// A rate rounded to the nearest whole number, halves to the even neighbour
// (17.5 -> 18, 12.5 -> 12, 18.5 -> 18, 0.5 -> 0).
double roundRate(double rate);
// The state has a generic rate: ALIQUOTAGENERICO rounded as above is > 0.
// Pages use it for their " ( ICMS 12 % )" texts.
bool genericRateApplies(const StateRecord& state);

// The export's price type label: "PMC" for medicines with PMC, "PFB" in
// every other case (materials and solutions always "PFB").
QString exportPriceLabel(QChar exportKind, PriceType type);

} // namespace farq::price
