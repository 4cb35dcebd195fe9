#pragma once
// The page writer of the consultation-by-product pages: from the chosen
// product, state and price type to the page's lines.
#include "catalogue/price_rule.h"
#include "consult/page_lines.h"
#include "consult/product_pages.h"
#include "shell/dataset.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace farq {
class Crypt;
class Edition;
class EditionDatabase;
} // namespace farq

namespace farq::consult {

// What the search panel holds when the page is written.
struct PageRequest {
    QString searchText;        // the search field's text; empty: silent stop
    QString code;              // its lookup value (the product code as stored)
    price::StateRecord state;  // the chosen state, or the saved one
    price::PriceType type = price::PriceType::PMC;
};

// One entry of the search field's list: the code and the clear-text name.
struct ListEntry {
    QString code;
    QString name;
};

inline const QString kStatesQuery = QStringLiteral("select * from FARESTADOS ORDER BY Estado");
inline const QString kSavedStateQuery =
    QStringLiteral("select * from FarParametros,FarEstados\r\nwhere FarParaEstado = Estado");

QString productListQuery(const ProductPage& page, bool coded);
QString priceRowsQuery(const ProductPage& page, const QString& code, bool coded);

// Heading line 1 of the page from the state and the first row (none when the
// page has no rows) and whether the first row's price was the oncological one.
QString headingLine1(const ProductPage& page, const price::StateRecord& state, const Row* firstRow,
                     bool oncological, const QLocale& locale = QLocale());
QString headingLine2(const ProductPage& page, const price::StateRecord& state);

// The page from the price rows already read (in query order).
Page writeProductPage(const ProductPage& page, const PageRequest& request, const DataSet& rows, const Crypt& crypt,
                      const price::OncologyContext& oncology, const QLocale& locale = QLocale());

// The database side, shared by the window and the command line.
std::vector<ListEntry> loadProductList(Edition& edition, const ProductPage& page);
std::vector<price::StateRecord> loadStates(EditionDatabase& db);
// The saved state's record; an empty record when the parameters' state is
// not a row of FARESTADOS.
price::StateRecord savedStateRecord(EditionDatabase& db);

// The page writer: nothing (the page is left as it is) when the search text
// is empty; otherwise the rows are read and the page written.
std::optional<Page> runProductPage(Edition& edition, const ProductPage& page, const PageRequest& request,
                                   const QLocale& locale = QLocale());

// The hierarchy chain of the first price row of a product: up to eight
// descriptions, the top level first and the material's own level last; empty
// when that row has no hierarchy entry (or the product has no rows).
QStringList hierarchyChain(const DataSet& hierarchy, double nodeId);
QStringList firstRowHierarchy(Edition& edition, const ProductPage& page, const QString& code);
inline const QString kHierarchyQuery = QStringLiteral("select * from FARHIERARQUIA");
inline constexpr int kHierarchyLevels = 8;

} // namespace farq::consult
