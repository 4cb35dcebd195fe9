#include "consult/product_page_writer.h"

#include "consult/page_writer.h"
#include "shell/cipher.h"
#include "shell/edition.h"

#include <algorithm>
#include <cmath>

namespace farq::consult {
namespace {

const QString kZfState = QStringLiteral("ZF");

bool isZf(const price::StateRecord& s) { return s.estado == kZfState; }

bool hasZfForm(const ProductPage& page, const price::StateRecord& state)
{
    return page.zf != ZfForm::None && isZf(state);
}

std::optional<double> numberOf(const Row& row, const QString& column)
{
    if (!row.has(column) || row.isNull(column))
        return std::nullopt;
    return row.number(column);
}

QString priceColumns(const ProductPage& page, const PageRequest& request, const Row& row,
                     const price::PriceResult& result, const QLocale& locale)
{
    QString out;
    if (hasZfForm(page, request.state)) {
        const bool pmc = page.zf == ZfForm::ByPriceType && request.type == price::PriceType::PMC;
        const char* const pmcCols[] = {"PMCZF17", "PMCZF17_5", "PMCZF18"};
        const char* const pfabCols[] = {"PFABZF17", "PFABZF17_5", "PFABZF18"};
        const int widths[] = {12, 13, 13};
        for (int i = 0; i < 3; ++i)
            out += priceField(numberOf(row, QLatin1String(pmc ? pmcCols[i] : pfabCols[i])), widths[i], locale);
    } else {
        out += priceField(result.price, kPriceWidth, locale);
    }
    if (page.ipiColumn)
        out += priceField(numberOf(row, QStringLiteral("FARPREIPI")), kPriceWidth, locale);
    return out;
}

std::optional<qint64> editionOf(const Row& row)
{
    if (!row.has(QStringLiteral("FARPREEDICAO")) || row.isNull(QStringLiteral("FARPREEDICAO")))
        return std::nullopt;
    return row.integer(QStringLiteral("FARPREEDICAO"));
}

price::PriceRequest priceRequest(const PageRequest& r)
{
    price::PriceRequest p;
    p.type = r.type;
    return p;
}

} // namespace

QString productListQuery(const ProductPage& page, bool coded)
{
    return page.listQuery + ordering::orderBy(page.listOrder, coded);
}

QString priceRowsQuery(const ProductPage& page, const QString& code, bool coded)
{
    QString sql = page.priceQuery + sqlQuote(code) + ordering::orderBy(page.priceOrder, coded);
    if (!coded)
        sql += page.clearOrderTail;
    return sql;
}

QString headingLine1(const ProductPage& page, const price::StateRecord& state, const Row* firstRow,
                     bool oncological, const QLocale& locale)
{
    if (page.heading1Rule == HeadingRule::Fixed)
        return page.heading1;
    if (oncological)
        return QStringLiteral("Laboratório ( ICMS 0 % ) Medicamento Oncológico");
    if (firstRow && std::nearbyint(state.aliquotaGenerico) != 0.0
        && firstRow->text(QStringLiteral("FARPREGENERICO")).toUpper() == QLatin1String("S"))
        return QStringLiteral("Laboratório ( ICMS 12 % )");
    return QStringLiteral("Laboratório ( ICMS ") + formatRate(state.aliquota, locale) + QStringLiteral(" % ) ");
}

QString headingLine2(const ProductPage& page, const price::StateRecord& state)
{
    return hasZfForm(page, state) ? page.heading2Zf : page.heading2;
}

Page writeProductPage(const ProductPage& page, const PageRequest& request, const DataSet& rows, const Crypt& crypt,
                      const price::OncologyContext& oncology, const QLocale& locale)
{
    const price::PriceRequest pr = priceRequest(request);
    std::vector<price::PriceResult> prices;
    prices.reserve(rows.size());
    for (const Row row : rows)
        prices.push_back(price::CalculaPreco(row, request.state, pr, page.variant, oncology));

    // The first row's price decides the oncological heading.
    const Row first = rows.row(0);
    const bool oncological = !rows.empty() && prices.front().oncological;
    GroupedPage grouped;
    grouped.headings << headingLine1(page, request.state, rows.empty() ? nullptr : &first, oncological, locale)
                     << headingLine2(page, request.state);
    grouped.groupOf = [&](const Row& row) { return crypt.decode(row.text(QStringLiteral("FARLABDESCRICAO"))); };
    grouped.rowLines = [&](const Row& row, std::size_t i) {
        const QString description = crypt.decode(row.text(QStringLiteral("FARAPRDESCRICAO"))).trimmed();
        return rowLines(page.shape, description, editionOf(row), priceColumns(page, request, row, prices[i], locale));
    };
    grouped.caretWord = page.caretWord;
    return writeGroupedPage(grouped, rows);
}

std::vector<ListEntry> loadProductList(Edition& edition, const ProductPage& page)
{
    const DataSet ds = edition.db().query(productListQuery(page, edition.coded()));
    std::vector<ListEntry> out;
    out.reserve(ds.size());
    for (const Row row : ds)
        out.push_back({row.text(QStringLiteral("FARMEDCODIGO")),
                       edition.crypt().decode(row.text(QStringLiteral("FARMEDDESCRICAO")))});
    return out;
}

std::vector<price::StateRecord> loadStates(EditionDatabase& db)
{
    const DataSet ds = db.query(kStatesQuery);
    std::vector<price::StateRecord> out;
    out.reserve(ds.size());
    for (const Row row : ds)
        out.push_back(price::stateFromRow(row));
    return out;
}

price::StateRecord savedStateRecord(EditionDatabase& db)
{
    const DataSet ds = db.query(kSavedStateQuery);
    if (ds.empty())
        return {};
    return price::stateFromRow(ds.row(0));
}

std::optional<Page> runProductPage(Edition& edition, const ProductPage& page, const PageRequest& request,
                                   const QLocale& locale)
{
    if (silentStop(request.searchText))
        return std::nullopt;
    const DataSet rows = edition.db().query(priceRowsQuery(page, request.code, edition.coded()));
    const price::OncologyContext oncology =
        page.oncology ? price::OncologyContext::load(edition.db(), request.state.estado) : price::OncologyContext{};
    return writeProductPage(page, request, rows, edition.crypt(), oncology, locale);
}

QStringList hierarchyChain(const DataSet& hierarchy, double nodeId)
{
    auto find = [&](double id) -> std::optional<Row> {
        for (const Row row : hierarchy)
            if (!row.isNull(QStringLiteral("ID")) && row.number(QStringLiteral("ID")) == id)
                return row;
        return std::nullopt;
    };
    QStringList chain; // the material's own level first
    const std::optional<Row> own = find(nodeId);
    if (!own)
        return chain;
    chain << own->text(QStringLiteral("DESCRICAO")).trimmed();
    double key = own->number(QStringLiteral("SUPERIOR"));
    for (int step = 0; step < kHierarchyLevels - 1 && key != 0.0; ++step) {
        const std::optional<Row> parent = find(key);
        if (!parent)
            break; // nothing more can be found under the same key
        chain << parent->text(QStringLiteral("DESCRICAO")).trimmed();
        key = parent->number(QStringLiteral("SUPERIOR"));
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

QStringList firstRowHierarchy(Edition& edition, const ProductPage& page, const QString& code)
{
    const DataSet rows = edition.db().query(priceRowsQuery(page, code, edition.coded()));
    if (rows.empty() || rows.row(0).isNull(QStringLiteral("FARPREHIERARQUIA")))
        return {};
    const DataSet hierarchy = edition.db().query(kHierarchyQuery);
    return hierarchyChain(hierarchy, rows.row(0).number(QStringLiteral("FARPREHIERARQUIA")));
}

} // namespace farq::consult
