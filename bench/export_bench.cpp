// Export of a large coded edition against the fetch of the same query's rows.
//
//   bench_export [--edicao ARQUIVO] [--linhas N] [--modo todos|leitura|exportacao|consulta|contagem] [--vezes N]
//
// Without --edicao a coded edition (812) of N price rows is generated in a
// temporary folder (N defaults to 167000, which gives about 100,000 medicine
// rows). "leitura" reads every row of the medicines export statement in
// batches and keeps nothing; "exportacao" writes the medicines price file with
// the window's defaults; "todos" runs both and prints the ratio; "consulta"
// holds the whole result in memory as an ordinary query does; "contagem" times
// the two ways of counting the gauge's total. Peak memory: run one mode under
// /usr/bin/time -v.
#include "edition_generator.h"

#include "export/export_query.h"
#include "export/export_writer.h"

#include "shell/edition.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace farq;
using namespace farq::exporter;

namespace {

qint64 fetchAll(Edition& edition, const QString& sql, qint64& rows, qint64& firstBatchMs)
{
    QElapsedTimer t;
    t.start();
    auto cursor = edition.db().openCursor(sql);
    DataSet batch;
    rows = 0;
    firstBatchMs = -1;
    while (cursor->fetch(batch, kExportBatchRows)) {
        if (firstBatchMs < 0)
            firstBatchMs = t.elapsed();
        rows += qint64(batch.size());
    }
    return t.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    EditionDatabase::prepareClientEnvironment();
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("edicao"), QStringLiteral("Edição existente."), QStringLiteral("ARQUIVO")});
    parser.addOption({QStringLiteral("linhas"), QStringLiteral("Linhas de preço a gerar."), QStringLiteral("N"),
                      QStringLiteral("167000")});
    parser.addOption({QStringLiteral("modo"), QStringLiteral("todos, leitura ou exportacao."), QStringLiteral("MODO"),
                      QStringLiteral("todos")});
    parser.addOption({QStringLiteral("vezes"), QStringLiteral("Repetições (o menor tempo vale)."), QStringLiteral("N"),
                      QStringLiteral("3")});
    parser.process(app);
    QTextStream out(stdout);

    QTemporaryDir dir;
    QString path = parser.value(QStringLiteral("edicao"));
    if (path.isEmpty()) {
        gen::GeneratorOptions o;
        o.edition = 812;
        o.priceRows = parser.value(QStringLiteral("linhas")).toInt();
        path = dir.filePath(QStringLiteral("FARQDB.GDB"));
        QElapsedTimer g;
        g.start();
        gen::generateEdition(path, o);
        out << "edição codificada de " << o.priceRows << " linhas de preço gerada em " << g.elapsed() << " ms\n";
        out.flush();
    }

    Edition edition;
    edition.open(path);
    edition.upgrade();
    const QString mode = parser.value(QStringLiteral("modo"));
    const int times = std::max(1, parser.value(QStringLiteral("vezes")).toInt());
    ExportJob job(edition, QLatin1Char('M'), false);
    const ExportRequest request = job.defaults();

    qint64 fetchMs = -1;
    qint64 exportMs = -1;
    qint64 rows = 0;
    if (mode == QLatin1String("todos") || mode == QLatin1String("leitura")) {
        qint64 firstBatchMs = 0;
        for (int i = 0; i < times; ++i) {
            const qint64 ms = fetchAll(edition, job.queryFor(request, {}), rows, firstBatchMs);
            fetchMs = fetchMs < 0 ? ms : std::min(fetchMs, ms);
        }
        out << "leitura das linhas da consulta: " << rows << " linhas em " << fetchMs << " ms (primeiro lote em "
            << firstBatchMs << " ms)\n";
        out.flush();
    }
    if (mode == QLatin1String("contagem")) {
        // The gauge's total: the rows of the kind against the count through the joins.
        for (const QString& sql : {exportCountQuery(request, {}), exportCountQuery(request, Selection{false, true, false})}) {
            QElapsedTimer t;
            t.start();
            const DataSet c = edition.db().query(sql);
            out << "contagem " << (sql.contains(QStringLiteral("JOIN")) ? "pelas junções" : "das linhas do tipo") << ": "
                << c.row(0).integer(c.columns().first()) << " em " << t.elapsed() << " ms\n";
        }
    }
    if (mode == QLatin1String("consulta")) {
        // The whole result held in memory, as an ordinary query does.
        QElapsedTimer t;
        t.start();
        const DataSet all = edition.db().query(job.queryFor(request, {}));
        out << "consulta inteira em memória: " << all.size() << " linhas em " << t.elapsed() << " ms\n";
    }
    if (mode == QLatin1String("todos") || mode == QLatin1String("exportacao")) {
        const QString file = dir.filePath(QStringLiteral("medicamentos.txt"));
        for (int i = 0; i < times; ++i) {
            QElapsedTimer t;
            t.start();
            const ExportOutcome o = job.writeFile(request, file);
            const qint64 ms = t.elapsed();
            if (!o.ok()) {
                out << "falha: " << o.message << "\n";
                return 1;
            }
            rows = o.rows;
            exportMs = exportMs < 0 ? ms : std::min(exportMs, ms);
        }
        out << "exportação (medicamentos, padrões da janela): " << rows << " linhas, " << QFile(file).size()
            << " bytes em " << exportMs << " ms\n";
    }
    if (fetchMs > 0 && exportMs >= 0)
        out << "razão exportação / leitura: " << QString::number(double(exportMs) / double(fetchMs), 'f', 2) << "\n";
    return 0;
}
