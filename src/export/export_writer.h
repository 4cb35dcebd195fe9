#pragma once
// The export writer: one run writes one price file, one line per price row of
// the kind, to any device. A file is written to a temporary file beside the
// target and put in its place only when every line is written; a failed query,
// a write error or a cancelled run leaves no file (or the earlier file as it
// was).
#include "export/export_layout.h"
#include "export/export_query.h"
#include "export/export_request.h"

#include "catalogue/price_rule.h"

#include <QString>

#include <functional>

class QIODevice;
class QSaveFile;

namespace farq {
class Edition;
class DataSet;
class Crypt;
}

namespace farq::exporter {

inline const QString kStateRowQuery =
    QStringLiteral("select * from FarParametros,FarEstados\r\nwhere FarParaEstado = Estado");
inline const QString kOncologicalStateQuery =
    QStringLiteral("SELECT ICMS_ONCOLOGICO FROM FARESTADOS WHERE ESTADO = ");
inline const QString kReleasedProbe = QStringLiteral("select * from FARMEDICAMENTOS where LIBERADO = 'S' ");
inline const QString kSuccessMessage = QStringLiteral("Geração de Arquivo Executada com sucesso !");

struct ExportOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    qint64 rows = 0;        // lines written
    bool fallback = false;  // the edition has no TUSS column: the fallback query was used
    QString message;        // why it failed, in Portuguese
    bool ok() const { return status == Status::Written; }
};

// Called before the first row (done 0) and after every batch of rows; total
// is the number of rows, 0 when unknown. Returning false stops the run.
using ProgressFn = std::function<bool(qint64 done, qint64 total)>;

// Rows handed to the writer at a time.
inline constexpr std::size_t kExportBatchRows = 500;

// Reads the price-row values of the export query's rows: columns looked up
// once per batch, descriptions decoded, the export price chosen.
class PriceRowReader {
public:
    PriceRowReader(const ExportRequest& request, const price::StateRecord& state,
                   const price::OncologyContext& oncology, const Crypt& crypt);
    PriceRowValues read(const DataSet& rows, std::size_t index);

private:
    ExportRequest request_;
    price::PriceRequest priceRequest_;
    const price::StateRecord& state_;
    const price::OncologyContext& oncology_;
    const Crypt& crypt_;
    const void* resolvedFor_ = nullptr;
    std::vector<int> index_;
};

// One export window's (or command's) writer over an open edition.
class ExportJob {
public:
    // Reads what the options depend on: the edition number, the oncological
    // rule of the user's state and the "Liberado" probe (medicines only; a
    // failing probe hides its option).
    ExportJob(Edition& edition, QChar kind, bool freeTradeZone);

    QChar kind() const { return kind_; }
    bool freeTradeZone() const { return freeTradeZone_; }
    const EditionFacts& facts() const { return facts_; }
    OptionVisibility visibility() const { return visibleOptions(kind_, facts_); }
    ExportRequest defaults() const { return defaultRequest(kind_, freeTradeZone_); }
    // The request as the writer will apply it.
    ExportRequest effective(const ExportRequest& request) const;

    // The statement the run sends first (after the marks probes).
    QString queryFor(const ExportRequest& request, const Selection& selection) const;

    // Writes the lines to an open device.
    ExportOutcome write(const ExportRequest& request, QIODevice& out, const ProgressFn& progress = {});
    // Writes the file through a save file: committed only when complete.
    ExportOutcome writeFile(const ExportRequest& request, QSaveFile& file, const ProgressFn& progress = {});
    ExportOutcome writeFile(const ExportRequest& request, const QString& path, const ProgressFn& progress = {});

private:
    Edition& edition_;
    QChar kind_;
    bool freeTradeZone_;
    EditionFacts facts_;
};

// The free-trade-zone flag the main menu sets before opening the window.
bool isFreeTradeZoneState(const QString& state);

} // namespace farq::exporter
