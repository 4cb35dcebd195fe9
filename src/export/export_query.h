#pragma once
// The SQL texts of an export: the price rows of one kind with the selection
// marks and the filters, the fallback for editions without a TUSS column, and
// the probes that tell which selection lists hold marks.
#include "export/export_request.h"

#include <QString>
#include <QStringList>

namespace farq {
class EditionDatabase;
}

namespace farq::exporter {

// Which lists restrict the export: those with at least one mark.
struct Selection {
    bool products = false;
    bool laboratories = false;
    bool presentations = false;
    bool operator==(const Selection&) const = default;
};

inline const QString kProbeProducts = QStringLiteral("select selecao from FarMedicamentos where selecao = 'S' ");
inline const QString kProbeLaboratories =
    QStringLiteral("select Flagselecao from Farlaboratorios where Flagselecao = 'S'");
inline const QString kProbePresentations =
    QStringLiteral(" select Flagselecao from FarApresentacoes where Flagselecao = 'S' ");

// Runs the three probes ("Todos" unchecked).
Selection probeSelection(EditionDatabase& db);

enum class QueryForm {
    Main,     // every column of FARPRECOS, TUSS among them
    Fallback, // the same with 'TESTE' AS TUSS, for editions without the column
};

// The price-row statement. The fallback keeps every condition of the main
// form, so that a filter the user asked for is never dropped silently.
QString exportQuery(const ExportRequest& request, const Selection& selection, QueryForm form = QueryForm::Main);

// The columns a price row must have; a row set without one of them cannot be
// exported (an edition without TUSS then takes the fallback).
const QStringList& requiredColumns();
// The required columns absent from a row set's columns.
QStringList missingColumns(const QStringList& columns);

// The gauge's maximum. When marks or filters restrict, the number of rows the
// statement returns; otherwise the number of price rows of the kind, which in
// a consistent edition is the same number at a fraction of the cost of the
// joins.
QString exportCountQuery(const ExportRequest& request, const Selection& selection);

} // namespace farq::exporter
