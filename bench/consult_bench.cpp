// Speed of the consultation pages on a coded edition with one product sold in
// 2,000 presentations: fetching the price rows, writing the page from them
// (goal: at most 1.5 times the fetch), and showing a 20,000-line page in the
// window (goal: under 1 s).
#include "consult/product_page_writer.h"
#include "consult/ui/UFarmaquiConsMedi.h"
#include "edition_generator.h"
#include "shell/edition.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace farq;
using namespace farq::consult;

namespace {

struct Fixture {
    QTemporaryDir dir;
    Edition edition;
    PageRequest request;
    const ProductPage* page = &productPage(ProductPageId::Medicines);
    QString sql;
};

Fixture& fixture()
{
    static std::unique_ptr<Fixture> f = [] {
        auto x = std::make_unique<Fixture>();
        const QString path = x->dir.filePath(QStringLiteral("FARQDB.GDB"));
        gen::GeneratorOptions o;
        o.edition = 812;
        o.bigProductPresentations = 2000;
        QElapsedTimer t;
        t.start();
        gen::generateEdition(path, o);
        std::fprintf(stderr, "edição gerada em %lld ms\n", static_cast<long long>(t.elapsed()));
        x->edition.open(path);
        x->request.searchText = QStringLiteral("produto grande");
        x->request.code = QString::fromLatin1(gen::known::kBigProduct);
        x->request.state = savedStateRecord(x->edition.db());
        x->request.type = price::PriceType::PMC;
        x->sql = priceRowsQuery(*x->page, x->request.code, x->edition.coded());
        return x;
    }();
    return *f;
}

void BM_FetchPriceRows(benchmark::State& state)
{
    Fixture& f = fixture();
    std::size_t rows = 0;
    for (auto _ : state) {
        const DataSet ds = f.edition.db().query(f.sql);
        rows = ds.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_FetchPriceRows)->Unit(benchmark::kMillisecond);

void BM_WritePage(benchmark::State& state)
{
    Fixture& f = fixture();
    const DataSet rows = f.edition.db().query(f.sql);
    const price::OncologyContext onco = price::OncologyContext::load(f.edition.db(), f.request.state.estado);
    std::size_t lines = 0;
    for (auto _ : state) {
        const Page p = writeProductPage(*f.page, f.request, rows, f.edition.crypt(), onco);
        lines = p.lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_WritePage)->Unit(benchmark::kMillisecond);

// The whole page writer as the window runs it: rows, oncological context, page.
void BM_RunPageWriter(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        const std::optional<Page> p = runProductPage(f.edition, *f.page, f.request);
        benchmark::DoNotOptimize(p->lines.size());
    }
}
BENCHMARK(BM_RunPageWriter)->Unit(benchmark::kMillisecond);

// A page of about 20,000 lines: the big product's rows ten times over.
Page longPage()
{
    Fixture& f = fixture();
    const DataSet once = f.edition.db().query(f.sql);
    DataSet many(once.columns());
    while (many.size() < 20000)
        for (std::size_t i = 0; i < once.size() && many.size() < 20000; ++i) {
            std::vector<Value> v;
            for (int c = 0; c < once.columns().size(); ++c)
                v.push_back(once.at(i, c));
            many.appendRow(v);
        }
    const price::OncologyContext onco = price::OncologyContext::load(f.edition.db(), f.request.state.estado);
    return writeProductPage(*f.page, f.request, many, f.edition.crypt(), onco);
}

void BM_ShowLongPageInWindow(benchmark::State& state)
{
    Fixture& f = fixture();
    const Page page = longPage();
    TFFarConsMedi form(f.edition);
    form.resize(1200, 800);
    form.show();
    form.setPageWriter([&](const PageRequest&) { return std::optional<Page>(page); });
    form.searchField()->setEditText(QStringLiteral("produto grande"));
    for (auto _ : state) {
        form.execute();
        // Until the page is laid out and painted.
        benchmark::DoNotOptimize(form.editor()->document()->size());
        QApplication::processEvents();
        form.editor()->viewport()->repaint();
    }
    state.counters["lines"] = double(page.lines.size());
}
BENCHMARK(BM_ShowLongPageInWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")).toUtf8());
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    EditionDatabase::prepareClientEnvironment();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
