// Speed of the price choice over the rows of a page, and of the oncological
// decision read once per run against asking the edition about every row.
#include "catalogue/price_rule.h"
#include "edition_generator.h"
#include "shell/database.h"
#include "shell/edition.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

using namespace farq;
using namespace farq::price;

namespace {

constexpr int kRows = 1000;

struct Bench {
    QTemporaryDir dir;
    EditionDatabase db;
    DataSet rows;
    StateRecord state;
    Bench()
    {
        gen::GeneratorOptions o;
        o.priceRows = kRows;
        const QString path = dir.filePath(QStringLiteral("FARQDB.GDB"));
        gen::generateEdition(path, o);
        db.connect(path);
        rows = db.query(QStringLiteral("select * from FARPRECOS"));
        state = stateFromRow(db.query(QStringLiteral("select * from FARESTADOS where ESTADO = 'GO'")).row(0));
    }
};

Bench& bench()
{
    static Bench b;
    return b;
}

void BM_CalculaPreco(benchmark::State& st)
{
    Bench& b = bench();
    const auto variant = static_cast<Variant>(st.range(0));
    const OncologyContext ctx = OncologyContext::load(b.db, b.state.estado);
    PriceRequest req;
    for (auto _ : st) {
        for (const Row row : b.rows)
            benchmark::DoNotOptimize(CalculaPreco(row, b.state, req, variant, ctx));
    }
    st.SetItemsProcessed(st.iterations() * qint64(b.rows.size()));
}
BENCHMARK(BM_CalculaPreco)
    ->Arg(int(Variant::MedicinesByProduct))
    ->Arg(int(Variant::MaterialsByProduct))
    ->Arg(int(Variant::PriceReport))
    ->Arg(int(Variant::Export));

// What a run costs for the oncological decision: one context per run...
void BM_OncologyContextLoad(benchmark::State& st)
{
    Bench& b = bench();
    for (auto _ : st)
        benchmark::DoNotOptimize(OncologyContext::load(b.db, b.state.estado));
}
BENCHMARK(BM_OncologyContextLoad)->Unit(benchmark::kMillisecond);

// ...against the state look-up and the substance count for every row.
void BM_OncologyTwoQueriesPerRow(benchmark::State& st)
{
    Bench& b = bench();
    const QString count = QStringLiteral(
        "SELECT\n      COUNT(farsubstancias.oncologico)  ACHEI\nFROM farsubstancias INNER join "
        "farmedicamentosubstancias\nON farsubstancias.farsubcodigo = farmedicamentosubstancias.farmedsubcodigosub\n"
        "INNER JOIN farmedicamentos ON farmedicamentosubstancias.farmedsubcodigomed = farmedicamentos.farmedcodigo\n"
        "WHERE farsubstancias.oncologico = 'S'\nAND farmedicamentos.farmedcodigo = ");
    for (auto _ : st) {
        int found = 0;
        for (const Row row : b.rows) {
            b.db.query(oncologyStateQuery(b.state.estado));
            found += b.db.query(count + sqlQuote(row.text(QStringLiteral("FARPREMEDIC")))).row(0).integer(
                         QStringLiteral("ACHEI")) > 0;
        }
        benchmark::DoNotOptimize(found);
    }
    st.SetItemsProcessed(st.iterations() * qint64(b.rows.size()));
}
BENCHMARK(BM_OncologyTwoQueriesPerRow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    EditionDatabase::prepareClientEnvironment();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
