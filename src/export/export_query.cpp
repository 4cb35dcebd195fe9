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

const QStringList& requiredColumns()
{
    static const QStringList columns = [] {
        QStringList c{QStringLiteral("FARPRELABOR"), QStringLiteral("FARPREMEDIC"), QStringLiteral("FARPREAPRE"),
                      QStringLiteral("FARPRETIPO"), QStringLiteral("FARPREEDICAO"), QStringLiteral("FARPREPORTARIA"),
                      QStringLiteral("FARPREGENERICO"), QStringLiteral("FARPREEXCECAO")};
        for (int i = 1; i <= 6; ++i)
            c << QStringLiteral("FARPREALIQ%1").arg(i);
        c << QStringLiteral("FARPREIPI") << QStringLiteral("FARPREHIERARQUIA") << QStringLiteral("FARPREEAN")
          << QStringLiteral("FARPRECGREM") << QStringLiteral("FARPREMEDSOLU") << QStringLiteral("FARMEDDESCRICAO")
          << QStringLiteral("FARAPRDESCRICAO") << QStringLiteral("FARLABDESCRICAO") << QStringLiteral("FARPREZF");
        for (int i = 1; i <= 6; ++i)
            c << QStringLiteral("FARPREEX%1").arg(i);
        c << QStringLiteral("FARPRESTISS") << QStringLiteral("FARAPRQTDE") << QStringLiteral("FARPPRE_ZERO")
          << QStringLiteral("FARPPRE_DOZE") << QStringLiteral("FARPPRE_ZEROFAB") << QStringLiteral("FARPPRE_DOZEFAB")
          << QStringLiteral("TUSS") << QStringLiteral("FARPPRE_ZFFAB") << QStringLiteral("NOVA_ORDEM")
          << QStringLiteral("PMC17_5") << QStringLiteral("PFAB17_5") << QStringLiteral("PMCZF17")
          << QStringLiteral("PMCZF17_5") << QStringLiteral("PMCZF18") << QStringLiteral("PFABZF17")
          << QStringLiteral("PFABZF17_5") << QStringLiteral("PFABZF18");
        return c;
    }();
    return columns;
}

QStringList missingColumns(const QStringList& columns)
{
    QStringList present;
    for (const QString& c : columns)
        present << c.toUpper();
    QStringList missing;
    for (const QString& c : requiredColumns())
        if (!present.contains(c))
            missing << c;
    return missing;
}

QString exportCountQuery(const ExportRequest& request, const Selection& selection)
{
    const bool restricted = selection.products || selection.laboratories || selection.presentations
                         || request.restrito || request.parenteral || request.liberado || request.oncologico;
    if (!restricted)
        return QStringLiteral("select count(*) from FARPRECOS where FARPREMEDSOLU = '%1'").arg(request.kind);
    return QLatin1String(kCount) + QLatin1String(kFrom) + conditions(request, selection);
}

} // namespace farq::exporter
