#include "export/export_query.h"

#include "shell/database.h"

namespace farq::exporter {
namespace {

const char* const kSelectMain = " select A.*, D.faraprqtde ";
const char* const kSelectFallback = " select A.*, D.faraprqtde, 'TESTE' AS TUSS ";
const char* const kCount = "select count(*) ";

const char* const kFrom = " from farprecos A inner JOIN farlaboratorios B "
                          " ON A.farprelabor = B.farlabcodigo INNER JOIN farmedicamentos C "
                          " ON A.farpremedic = C.farmedcodigo INNER JOIN farapresentacoes D  "
                          " ON A.farpreapre = D.faraprcodigo  ";

const char* const kOncological = "   AND A.farpremedic IN (  "
                                 "   SELECT farmedicamentosubstancias.farmedsubcodigomed   "
                                 "   FROM farmedicamentosubstancias INNER JOIN farsubstancias   "
                                 "   ON farmedicamentosubstancias.farmedsubcodigosub = farsubstancias.farsubcodigo  "
                                 "   WHERE farsubstancias.oncologico = 'S') ";

const char* const kOrder = " order by A.FarPreLabor, A.FarPreMedic, A.FarPreApre ";

// Pieces 6 to 9: the kind, the marks and the filters.
QString conditions(const ExportRequest& r, const Selection& s)
{
    QString w = QStringLiteral(" WHERE C.FARMEDTIPO = ") + QLatin1Char('\'') + r.kind + QLatin1Char('\'');
    if (s.products)
        w += QStringLiteral(" AND C.SELECAO = 'S'");
    if (s.laboratories)
        w += QStringLiteral(" AND B.FLAGSELECAO = 'S'");
    if (s.presentations)
        w += QStringLiteral(" AND D.FLAGSELECAO = 'S'");
    if (r.restrito)
        w += QStringLiteral(" AND C.RESTRITO = 'S' ");
    if (r.parenteral)
        w += QStringLiteral(" AND C.PARENTERAL = 'S' ");
    if (r.liberado)
        w += QStringLiteral(" AND C.LIBERADO = 'S' ");
    if (r.oncologico) {
        w += QLatin1String(kOncological);
        w += r.priceType == price::PriceType::PFAB ? QStringLiteral(" and A.FARPPRE_ZEROFAB > 0.00  ")
                                                   : QStringLiteral(" and A.FARPPRE_ZERO > 0.00  ");
    }
    return w;
}

bool hasRows(EditionDatabase& db, const QString& sql)
{
    auto cursor = db.openCursor(sql);
    DataSet one;
    return cursor->fetch(one, 1);
}

} // namespace

Selection probeSelection(EditionDatabase& db)
{
    Selection s;
    s.products = hasRows(db, kProbeProducts);
    s.laboratories = hasRows(db, kProbeLaboratories);
    s.presentations = hasRows(db, kProbePresentations);
    return s;
}

QString exportQuery(const ExportRequest& request, const Selection& selection, QueryForm form)
{
    return QLatin1String(form == QueryForm::Main ? kSelectMain : kSelectFallback) + QLatin1String(kFrom)
         + conditions(request, selection) + QLatin1String(kOrder);
}

QString exportCountQuery(const ExportRequest& request, const Selection& selection)
{
    return QLatin1String(kCount) + QLatin1String(kFrom) + conditions(request, selection);
}

} // namespace farq::exporter
