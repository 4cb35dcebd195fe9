#include "export/export_writer.h"

#include "shell/edition.h"

#include <QIODevice>
#include <QSaveFile>

namespace farq::exporter {
namespace {

// The columns the writer reads, in the order of PriceRowReader's index.
enum Col {
    cLabor, cMedic, cApre, cLabDesc, cMedDesc, cAprDesc, cPmcZf17, cPmcZf175, cPmcZf18, cPfabZf17, cPfabZf175,
    cPfabZf18, cQtde, cEdicao, cIpi, cPortaria, cHierarquia, cEan, cTiss, cGenerico, cTuss, cColumnCount
};
const char* const kColumnNames[cColumnCount] = {
    "FARPRELABOR", "FARPREMEDIC", "FARPREAPRE", "FARLABDESCRICAO", "FARMEDDESCRICAO", "FARAPRDESCRICAO",
    "PMCZF17", "PMCZF17_5", "PMCZF18", "PFABZF17", "PFABZF17_5", "PFABZF18", "FARAPRQTDE", "FARPREEDICAO",
    "FARPREIPI", "FARPREPORTARIA", "FARPREHIERARQUIA", "FARPREEAN", "FARPRESTISS", "FARPREGENERICO", "TUSS"};

const Value kNull;

QString writeErrorMessage(const QIODevice& out)
{
    return QStringLiteral("Erro ao gravar o arquivo: %1").arg(out.errorString());
}

} // namespace

bool isFreeTradeZoneState(const QString& state) { return state.trimmed() == QLatin1String("ZF"); }

PriceRowReader::PriceRowReader(const ExportRequest& request, const price::StateRecord& state,
                               const price::OncologyContext& oncology, const Crypt& crypt)
    : request_(request), state_(state), oncology_(oncology), crypt_(crypt)
{
    priceRequest_.type = request.priceType;
    priceRequest_.exportKind = request.kind;
}

PriceRowValues PriceRowReader::read(const DataSet& rows, std::size_t i)
{
    // A batch of the same query always has the same columns: their positions
    // are looked up by name once.
    if (resolvedFor_ != &rows || index_.size() != size_t(cColumnCount)) {
        index_.assign(cColumnCount, -1);
        for (int c = 0; c < cColumnCount; ++c)
            index_[size_t(c)] = rows.columnIndex(QLatin1String(kColumnNames[c]));
        resolvedFor_ = &rows;
    }
    auto value = [&](int c) -> const Value& {
        const int at = index_[size_t(c)];
        return at < 0 ? kNull : rows.at(i, at);
    };
    PriceRowValues v;
    v.labCode = value(cLabor).toText();
    v.productCode = value(cMedic).toText();
    v.presentationCode = value(cApre).toText();
    v.labName = crypt_.decode(value(cLabDesc).toText());
    v.productName = crypt_.decode(value(cMedDesc).toText());
    v.presentationName = crypt_.decode(value(cAprDesc).toText());
    v.price = price::CalculaPreco(rows.row(i), state_, priceRequest_, price::Variant::Export, oncology_).orZero();
    v.pmcZf17 = value(cPmcZf17).toDouble();
    v.pmcZf175 = value(cPmcZf175).toDouble();
    v.pmcZf18 = value(cPmcZf18).toDouble();
    v.pfabZf17 = value(cPfabZf17).toDouble();
    v.pfabZf175 = value(cPfabZf175).toDouble();
    v.pfabZf18 = value(cPfabZf18).toDouble();
    v.quantity = value(cQtde).toDouble();
    v.edition = value(cEdicao).toDouble();
    v.ipi = value(cIpi).toDouble();
    v.ordinance = value(cPortaria).toText();
    v.hierarchy = value(cHierarquia).toText();
    v.ean = value(cEan).toText();
    v.tiss = value(cTiss).toText();
    v.generic = value(cGenerico).toText();
    v.tussReadable = index_[cTuss] >= 0;
    v.tuss = value(cTuss).toText();
    return v;
}

ExportJob::ExportJob(Edition& edition, QChar kind, bool freeTradeZone)
    : edition_(edition), kind_(kind), freeTradeZone_(freeTradeZone)
{
    facts_.editionNumber = edition.params().number.value_or(0);
    if (kind != QLatin1Char('M'))
        return;
    try {
        const DataSet ds =
            edition.db().query(kOncologicalStateQuery + sqlQuote(edition.params().state.trimmed()));
        facts_.stateOncological = !ds.empty() && ds.row(0).text(QStringLiteral("ICMS_ONCOLOGICO")) == QLatin1String("S");
    } catch (const DatabaseError&) {
        facts_.stateOncological = false;
    }
    try {
        auto cursor = edition.db().openCursor(kReleasedProbe);
        DataSet one;
        facts_.liberadoAvailable = cursor->fetch(one, 1);
    } catch (const DatabaseError&) {
        facts_.liberadoAvailable = false;
    }
}

ExportRequest ExportJob::effective(const ExportRequest& request) const
{
    ExportRequest r = request;
    r.kind = kind_;
    r.freeTradeZone = freeTradeZone_;
    return normalised(r, visibility());
}

QString ExportJob::queryFor(const ExportRequest& request, const Selection& selection) const
{
    return exportQuery(effective(request), selection);
}

ExportOutcome ExportJob::write(const ExportRequest& asked, QIODevice& out, const ProgressFn& progress)
{
    ExportOutcome outcome;
    const ExportRequest request = effective(asked);
    EditionDatabase& db = edition_.db();
    try {
        const Selection selection = request.todos ? Selection{} : probeSelection(db);

        // The user's state row; a state missing from FARESTADOS reads as rate 0.
        price::StateRecord state;
        const DataSet stateRows = db.query(kStateRowQuery);
        if (!stateRows.empty())
            state = price::stateFromRow(stateRows.row(0));
        price::OncologyContext oncology;
        if (request.kind == QLatin1Char('M'))
            oncology = price::OncologyContext::load(db, edition_.params().state.trimmed());

        qint64 total = 0;
        try {
            const DataSet count = db.query(exportCountQuery(request, selection));
            if (!count.empty())
                total = count.row(0).integer(count.columns().value(0));
        } catch (const DatabaseError&) {
            total = 0; // the gauge then only moves
        }

        // Opening fails when the statement fails or when its rows lack a
        // column of the price row (an edition without TUSS among them).
        auto openRows = [&](QueryForm form) {
            auto cursor = db.openCursor(exportQuery(request, selection, form));
            const QStringList missing = missingColumns(cursor->columns());
            if (!missing.isEmpty())
                throw DatabaseError(QStringLiteral("A tabela de preços desta edição não tem a(s) coluna(s) %1")
                                        .arg(missing.join(QStringLiteral(", "))));
            return cursor;
        };
        std::unique_ptr<EditionDatabase::Cursor> cursor;
        try {
            cursor = openRows(QueryForm::Main);
        } catch (const DatabaseError&) {
            outcome.fallback = true;
            cursor = openRows(QueryForm::Fallback);
        }

        if (progress && !progress(0, total)) {
            outcome.status = ExportOutcome::Status::Cancelled;
            return outcome;
        }
        PriceRowReader reader(request, state, oncology, edition_.crypt());
        const LineLayout layout(request);
        DataSet batch;
        QByteArray chunk;
        while (cursor->fetch(batch, kExportBatchRows)) {
            chunk.clear();
            for (std::size_t i = 0; i < batch.size(); ++i)
                chunk += exportLineBytes(recordFields(reader.read(batch, i), layout), layout);
            if (out.write(chunk) != chunk.size()) {
                outcome.message = writeErrorMessage(out);
                return outcome;
            }
            outcome.rows += qint64(batch.size());
            if (progress && !progress(outcome.rows, total)) {
                outcome.status = ExportOutcome::Status::Cancelled;
                return outcome;
            }
        }
    } catch (const DatabaseError& e) {
        outcome.message = e.message();
        return outcome;
    }
    outcome.status = ExportOutcome::Status::Written;
    return outcome;
}

ExportOutcome ExportJob::writeFile(const ExportRequest& request, QSaveFile& file, const ProgressFn& progress)
{
    if (!file.open(QIODevice::WriteOnly)) {
        ExportOutcome failed;
        failed.message = QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(file.fileName(), file.errorString());
        return failed;
    }
    ExportOutcome outcome = write(request, file, progress);
    if (!outcome.ok()) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit()) {
        outcome.status = ExportOutcome::Status::Failed;
        outcome.message = writeErrorMessage(file);
    }
    return outcome;
}

ExportOutcome ExportJob::writeFile(const ExportRequest& request, const QString& path, const ProgressFn& progress)
{
    QSaveFile file(path);
    return writeFile(request, file, progress);
}

} // namespace farq::exporter
