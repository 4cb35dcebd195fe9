#pragma once
// The consultation-by-product pages (medicines, materials, solutions), each
// a row of data read by one page writer.
#include "catalogue/price_rule.h"
#include "consult/row_blocks.h"
#include "shell/ordering.h"

#include <QString>

namespace farq::consult {

// How heading line 1 is made.
enum class HeadingRule {
    Fixed,    // the fixed text
    IcmsRate, // the state's rate, or the generic or oncological form from the first row
};

// The free-trade-zone form of the price columns for the state "ZF".
enum class ZfForm {
    None,        // one price in every state
    ByPriceType, // the three ZF prices of the checked price type (PFAB when PMC is not checked)
    AlwaysPfab,  // the three PFAB ZF prices
};

enum class StateSource {
    Chosen, // the page's own state list
    Saved,  // the parameters row's state
};

enum class ProductPageId { Medicines, Materials, Solutions };

struct ProductPage {
    ProductPageId id;
    const char* formClass;   // TFFarConsMedi
    const char* cliName;     // medicamentos-produto
    QChar family;            // FARMEDTIPO of the product list
    QString searchLabel;     // "Medicamento"
    QString listQuery;       // product list, before its ORDER BY
    ordering::List listOrder;
    QString priceQuery;      // price rows, before the quoted product code
    ordering::List priceOrder;
    QString clearOrderTail;  // appended after the alphabetical clause (see the materials row)
    HeadingRule heading1Rule;
    QString heading1;        // the fixed heading line 1
    QString heading2;
    QString heading2Zf;      // empty: the page has no ZF form
    RowShape shape;
    ZfForm zf;
    bool ipiColumn;
    price::Variant variant;
    StateSource state;
    bool priceBoxes;         // the PMC/PFAB boxes are shown
    bool oncology;           // the variant uses the oncological override
    QString caretWord;
    int panelHeight;         // search panel height on the result screen
    bool rewriteOnChange;    // a change of the search field writes the page
    const char* printForm;   // TFFarConsMediRel
};

const ProductPage& productPage(ProductPageId id);
// By window class name or command-line name; nullptr when unknown.
const ProductPage* findProductPage(const QString& name);

inline const QString kNoHierarchyMessage = QStringLiteral("Não existem dados que atendam a estas condições!");

} // namespace farq::consult
